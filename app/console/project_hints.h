// What the console says when a project cannot be selected: the projects there are, and the
// one closest to the name given.
#ifndef IVARSCAN_APP_CONSOLE_PROJECT_HINTS_H_
#define IVARSCAN_APP_CONSOLE_PROJECT_HINTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ivarscan {

// The names joined by ", ": the first 20, then "and N more".
std::string ProjectListText(const std::vector<std::string>& names);

// The name closest to `wanted` when it is a near miss: equal but for letter case or blanks
// at the ends, or a few letters apart (one per four letters of the name, at least one).
// nullopt when no name is that near.
std::optional<std::string> ClosestName(const std::vector<std::string>& names,
                                       std::string_view wanted);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_PROJECT_HINTS_H_
