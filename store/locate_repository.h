// Finding the repository folder.
#ifndef IVARSCAN_STORE_LOCATE_REPOSITORY_H_
#define IVARSCAN_STORE_LOCATE_REPOSITORY_H_

#include <string>

#include "platform/env.h"

namespace ivarscan {

// The environment variable that names the repository folder when no option does.
inline constexpr char kRepositoryVariable[] = "IVARSCAN_REPOSITORY";

// The repository folder: `option_folder` (the --repository option) when it is not empty,
// else the value of IVARSCAN_REPOSITORY when it is set and not empty, else "repository"
// (in the current directory).
std::string LocateRepository(Env& env, const std::string& option_folder);

// Where LocateRepository took the folder from, for messages: "--repository",
// "IVARSCAN_REPOSITORY" or "the default".
std::string RepositorySource(Env& env, const std::string& option_folder);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_LOCATE_REPOSITORY_H_
