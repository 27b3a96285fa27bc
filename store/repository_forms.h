// Recognising the form of the repository in a folder (store/repository_form.h).
#ifndef IVARSCAN_STORE_REPOSITORY_FORMS_H_
#define IVARSCAN_STORE_REPOSITORY_FORMS_H_

#include <memory>
#include <string>

#include "platform/env.h"
#include "store/repository_form.h"
#include "store/skipped_file.h"

namespace ivarscan {

// The form of the repository in `folder`, which can be listed: a bare export folder, a
// repository folder of projects, or else a folder that holds no project. Project folders
// whose names cannot be used are recorded in `skipped`. `env` must outlive the form.
std::unique_ptr<RepositoryForm> RecogniseForm(Env& env, const std::string& folder,
                                              SkipList* skipped);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_REPOSITORY_FORMS_H_
