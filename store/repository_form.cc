#include "store/repository_form.h"

#include "platform/text.h"

namespace ivarscan {

std::optional<std::string> MatchProject(RepositoryForm& form, std::string_view name,
                                        SkipList* skipped) {
  std::vector<std::string> names;
  if (name.empty() || form.ListProjects(&names, skipped)) return std::nullopt;
  std::optional<std::string> match;
  for (std::string& project : names) {
    if (project == name) return project;
    if (!match && EqualsIgnoringCase(project, name)) match = project;
  }
  return match;
}

}  // namespace ivarscan
