#include "store/locate_repository.h"

namespace ivarscan {

std::string LocateRepository(Env& env, const std::string& option_folder) {
  if (!option_folder.empty()) return option_folder;
  std::string variable = env.EnvironmentVariable(kRepositoryVariable);
  return variable.empty() ? "repository" : variable;
}

std::string RepositorySource(Env& env, const std::string& option_folder) {
  if (!option_folder.empty()) return "--repository";
  return env.EnvironmentVariable(kRepositoryVariable).empty() ? "the default" : kRepositoryVariable;
}

}  // namespace ivarscan
