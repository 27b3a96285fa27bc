#include "app/console/console_project_dialog.h"

#include <algorithm>
#include <iomanip>
#include <istream>
#include <ostream>

#include "app/console/project_hints.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr char kCaption[] = "Duplicate Instance Variable Report";

bool ListOrder(const ProjectRecord& a, const ProjectRecord& b) {
  return UpperAscii(a.name) < UpperAscii(b.name);
}

}  // namespace

ConsoleProjectDialog::ConsoleProjectDialog(const ConsoleSettings& settings, std::istream& in,
                                           std::ostream& out, std::ostream& err,
                                           std::function<void()> show_warnings)
    : settings_(settings),
      in_(in),
      out_(out),
      err_(err),
      show_warnings_(std::move(show_warnings)) {}

void ConsoleProjectDialog::FillList(const std::vector<ProjectRecord>& projects) {
  items_ = projects;
  std::stable_sort(items_.begin(), items_.end(), ListOrder);
}

void ConsoleProjectDialog::SetListValue(const std::string& name) { selected_ = Find(name); }

int ConsoleProjectDialog::Show() {
  const int result = Choose();
  if (result == 1 && settings_.project_chosen) settings_.project_chosen(chosen_);
  return result;
}

int ConsoleProjectDialog::Choose() {
  if (show_warnings_) show_warnings_();
  if (items_.empty()) {
    err_ << "ivarscan: " << settings_.repository
         << " holds no project: a repository holds project folders, each with a "
            "project.ini, or exported applications (.aef files)"
         << std::endl;
    return 0;
  }
  if (settings_.project) {
    const int found = Find(*settings_.project);
    if (found < 0) {
      ExplainUnknown(*settings_.project);
      return 0;
    }
    chosen_ = items_[found].name;
    return 1;
  }
  if (items_.size() == 1) {
    chosen_ = items_.front().name;
    if (!settings_.quiet) {
      err_ << "ivarscan: reporting on project " << chosen_ << ", the only one in "
           << settings_.repository << std::endl;
    }
    return 1;
  }
  if (!settings_.input_is_terminal) {
    err_ << "ivarscan: no project chosen: standard input is not a terminal (--project NAME "
            "chooses one)"
         << std::endl;
    return 0;
  }
  PrintList();
  for (;;) {
    out_ << "Project number or name (Enter = "
         << (selected_ >= 0 ? items_[selected_].name : std::string("none"))
         << ", q = Cancel): " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) {
      out_ << "\n";
      return 0;
    }
    std::string trimmed(TrimBlanksAndTabs(answer));
    if (trimmed == "q" || trimmed == "Q") return 0;
    if (!trimmed.empty()) {
      int found = FindAnswer(trimmed);
      if (found < 0) {
        out_ << "No project \"" << trimmed << "\" in the list.";
        if (std::optional<std::string> closest = ClosestName(Names(), trimmed)) {
          out_ << " Did you mean \"" << *closest << "\"?";
        }
        out_ << "\n";
        continue;
      }
      selected_ = found;
    }
    chosen_ = selected_ >= 0 ? items_[selected_].name : std::string();
    return 1;
  }
}

void ConsoleProjectDialog::PrintList() const {
  out_ << "\n" << kCaption << "\n" << std::string(sizeof kCaption - 1, '-') << "\n";
  if (items_.empty()) out_ << "(no projects)\n";
  const int width = static_cast<int>(std::to_string(items_.size()).size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    out_ << (static_cast<int>(i) == selected_ ? "* " : "  ") << std::setw(width) << i + 1 << "  "
         << items_[i].name;
    if (!items_[i].description.empty()) out_ << "  - " << items_[i].description;
    out_ << "\n";
  }
}

void ConsoleProjectDialog::ExplainUnknown(const std::string& name) const {
  std::string why = settings_.why_not_listed ? settings_.why_not_listed(name) : "";
  if (why.empty()) why = "no such project in " + settings_.repository;
  const std::vector<std::string> names = Names();
  err_ << "ivarscan: cannot select project \"" << name << "\": " << why << "\n"
       << "ivarscan: the projects there are: " << ProjectListText(names) << "\n";
  if (std::optional<std::string> closest = ClosestName(names, name)) {
    err_ << "ivarscan: did you mean \"" << *closest << "\"?\n";
  }
  err_ << std::flush;
}

std::vector<std::string> ConsoleProjectDialog::Names() const {
  std::vector<std::string> names;
  for (const ProjectRecord& item : items_) names.push_back(item.name);
  return names;
}

int ConsoleProjectDialog::FindAnswer(const std::string& answer) const {
  if (std::all_of(answer.begin(), answer.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
      answer.size() < 9) {
    int number = std::stoi(answer);
    if (number >= 1 && number <= static_cast<int>(items_.size())) return number - 1;
  }
  return Find(answer);
}

int ConsoleProjectDialog::Find(const std::string& name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].name == name) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (EqualsIgnoringCase(items_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace ivarscan
