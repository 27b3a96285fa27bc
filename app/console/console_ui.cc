#include "app/console/console_ui.h"

#include <istream>
#include <ostream>

#include "app/console/console_project_dialog.h"
#include "app/console/terminal_progress.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr char kErrorCaption[] = "Error";

}  // namespace

std::string ForTerminal(std::string_view text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    shown += text[i];
  }
  return shown;
}

ConsoleUi::ConsoleUi(ConsoleSettings settings, std::istream& in, std::ostream& out,
                     std::ostream& err, std::function<void()> show_warnings)
    : settings_(std::move(settings)),
      show_warnings_(std::move(show_warnings)),
      in_(in),
      out_(out),
      err_(err) {}

int ConsoleUi::ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) {
  const std::string shown_caption = caption.empty() ? kErrorCaption : std::string(caption);
  const bool asks =
      style == BoxStyle::kQuestionYesNo && !settings_.assume_yes && settings_.input_is_terminal;
  std::ostream& box = style == BoxStyle::kErrorOk ? err_ : asks ? out_ : UnlessQuiet(out_);
  box << "\n"
      << shown_caption << "\n"
      << std::string(shown_caption.size(), '-') << "\n"
      << ForTerminal(text) << "\n"
      << std::flush;
  if (style == BoxStyle::kQuestionYesNo) return AskYesNo(shown_caption);
  if (settings_.input_is_terminal && !settings_.assume_yes && !settings_.quiet) {
    out_ << "Press Enter to continue: " << std::flush;
    std::string ignored;
    std::getline(in_, ignored);
  }
  return kIdOk;
}

std::ostream& ConsoleUi::UnlessQuiet(std::ostream& stream) {
  return settings_.quiet ? discard_ : stream;
}

int ConsoleUi::AskYesNo(std::string_view caption) {
  if (settings_.assume_yes) {
    UnlessQuiet(out_) << "Yes (--yes)" << std::endl;
    return kIdYes;
  }
  if (!settings_.input_is_terminal) {
    err_ << "ivarscan: \"" << caption
         << "\" answered No: standard input is not a terminal (--yes answers Yes)" << std::endl;
    return kIdNo;
  }
  for (;;) {
    out_ << "Yes or No? (Enter = Yes): " << std::flush;
    std::string answer;
    if (!std::getline(in_, answer)) {
      out_ << "\n";
      return kIdNo;
    }
    const std::string_view given = TrimBlanksAndTabs(answer);
    if (given.empty() || EqualsIgnoringCase(given, "y") || EqualsIgnoringCase(given, "yes")) {
      return kIdYes;
    }
    if (EqualsIgnoringCase(given, "n") || EqualsIgnoringCase(given, "no")) return kIdNo;
  }
}

std::unique_ptr<ProjectDialog> ConsoleUi::NewProjectDialog() {
  if (show_warnings_) show_warnings_();
  return std::make_unique<ConsoleProjectDialog>(settings_, in_, out_, err_, show_warnings_);
}

std::unique_ptr<ProgressWindow> ConsoleUi::NewProgressWindow() {
  if (show_warnings_) show_warnings_();
  return std::make_unique<TerminalProgress>(UnlessQuiet(err_), settings_.error_is_terminal);
}

void ConsoleUi::Notify(std::string_view text) { err_ << "ivarscan: " << text << std::endl; }

}  // namespace ivarscan
