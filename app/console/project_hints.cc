#include "app/console/project_hints.h"

#include <algorithm>

#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::size_t kListedProjects = 20;

// The number of letters to insert, remove or replace to turn one text into the other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string ProjectListText(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < std::min(names.size(), kListedProjects); ++i) {
    if (i > 0) text += ", ";
    text += names[i];
  }
  if (names.size() > kListedProjects) {
    text += " and " + std::to_string(names.size() - kListedProjects) + " more";
  }
  return text;
}

std::optional<std::string> ClosestName(const std::vector<std::string>& names,
                                       std::string_view wanted) {
  const std::string key = UpperAscii(TrimBlanksAndTabs(wanted));
  const std::size_t allowed = std::max<std::size_t>(1, key.size() / 4);
  std::optional<std::string> closest;
  std::size_t best = allowed + 1;
  for (const std::string& name : names) {
    const std::size_t distance = EditDistance(UpperAscii(name), key);
    if (distance < best) {
      best = distance;
      closest = name;
    }
  }
  return closest;
}

}  // namespace ivarscan
