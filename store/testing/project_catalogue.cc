#include "store/testing/project_catalogue.h"

#include <gtest/gtest.h>

#include "store/folder_status.h"

namespace ivarscan {

std::vector<std::string> CatalogueProjects(FolderRepository& repository) {
  std::vector<std::string> names;
  CatalogueHandle catalogue = 0;
  EXPECT_EQ(repository.PrjCatCreateEnum(0, 0, &catalogue), kFolderOk);
  char name[256];
  for (Status status = repository.PrjGetFirst(catalogue, name, sizeof name); status == 0;
       status = repository.PrjGetNext(catalogue, name, sizeof name)) {
    names.push_back(name);
  }
  EXPECT_EQ(repository.PrjCatDestroyEnum(catalogue), kFolderOk);
  return names;
}

}  // namespace ivarscan
