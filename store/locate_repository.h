// Finding the repository folder.
#ifndef IVARSCAN_STORE_LOCATE_REPOSITORY_H_
#define IVARSCAN_STORE_LOCATE_REPOSITORY_H_

#include <optional>
#include <string>

#include "platform/env.h"

namespace ivarscan {

// The environment variable that names the repository folder when no option does.
inline constexpr char kRepositoryVariable[] = "IVARSCAN_REPOSITORY";
// The repository folder when neither the option nor the variable names one.
inline constexpr char kDefaultRepositoryFolder[] = "repository";

// The repository folder: `option_folder` (the --repository option) when it is not empty,
// else the value of IVARSCAN_REPOSITORY when it is set and not empty, else "repository"
// (in the current directory).
std::string LocateRepository(Env& env, const std::string& option_folder);

// Where LocateRepository took the folder from, for messages: "--repository",
// "IVARSCAN_REPOSITORY" or "the default".
std::string RepositorySource(Env& env, const std::string& option_folder);

// True when `folder` can be read as a repository: it holds a project folder (one with a
// project.ini) or application exports (.aef files).
bool HoldsRepository(Env& env, const std::string& folder);

// The repository folder of a program started without one: IVARSCAN_REPOSITORY, then
// "repository" (in the current directory), then `remembered` (the folder chosen last time;
// may be empty), the first that holds a repository; nullopt when none does.
std::optional<std::string> FindRepository(Env& env, const std::string& remembered);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_LOCATE_REPOSITORY_H_
