// The project names that a walk of a repository's project catalogue gives, for the tests of
// the folder layer.
#ifndef IVARSCAN_STORE_TESTING_PROJECT_CATALOGUE_H_
#define IVARSCAN_STORE_TESTING_PROJECT_CATALOGUE_H_

#include <string>
#include <vector>

#include "store/folder_repository.h"

namespace ivarscan {

// The names PrjGetFirst and PrjGetNext give in order, through a catalogue that is made and
// destroyed here; each of those two steps is expected to succeed.
std::vector<std::string> CatalogueProjects(FolderRepository& repository);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_TESTING_PROJECT_CATALOGUE_H_
