#include "store/locate_repository.h"

#include <vector>

#include "store/repository_forms.h"

namespace ivarscan {

std::string LocateRepository(Env& env, const std::string& option_folder) {
  if (!option_folder.empty()) return option_folder;
  std::string variable = env.EnvironmentVariable(kRepositoryVariable);
  return variable.empty() ? kDefaultRepositoryFolder : variable;
}

std::string RepositorySource(Env& env, const std::string& option_folder) {
  if (!option_folder.empty()) return "--repository";
  return env.EnvironmentVariable(kRepositoryVariable).empty() ? "the default" : kRepositoryVariable;
}

bool HoldsRepository(Env& env, const std::string& folder) {
  if (!env.IsDirectory(folder)) return false;
  std::vector<std::string> projects;
  SkipList ignored;
  return !RecogniseForm(env, folder, &ignored)->ListProjects(&projects, &ignored) &&
         !projects.empty();
}

std::optional<std::string> FindRepository(Env& env, const std::string& remembered) {
  for (const std::string& folder : {env.EnvironmentVariable(kRepositoryVariable),
                                    std::string(kDefaultRepositoryFolder), remembered}) {
    if (!folder.empty() && HoldsRepository(env, folder)) return folder;
  }
  return std::nullopt;
}

}  // namespace ivarscan
