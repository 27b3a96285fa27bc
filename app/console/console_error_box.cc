#include "app/console/console_error_box.h"

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/console/console_ui.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

struct Choice {
  const char* word;
  const char* meaning;
  std::uint32_t code;
};

std::vector<Choice> OfferedChoices(std::uint32_t default_code, std::uint32_t retry_code,
                                   std::uint32_t abort_code) {
  std::vector<Choice> choices;
  if (default_code == kDefaultChoice) {
    choices.push_back({"Default", "go on without the file", default_code});
  }
  if (retry_code == kRetryChoice) choices.push_back({"Retry", "try again", retry_code});
  choices.push_back({"Abort", "end the program", abort_code});
  return choices;
}

// "Default: go on without the file; Retry: try again; Abort: end the program.\n"
// "Default, Retry or Abort? (Enter = Default): "
std::string Prompt(const std::vector<Choice>& choices) {
  std::string prompt;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    prompt += std::string(i > 0 ? "; " : "") + choices[i].word + ": " + choices[i].meaning;
  }
  prompt += ".\n";
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (i > 0) prompt += i + 1 == choices.size() ? " or " : ", ";
    prompt += choices[i].word;
  }
  return prompt + "? (Enter = " + choices.front().word + "): ";
}

const Choice* Match(const std::vector<Choice>& choices, std::string_view answer) {
  if (answer.empty()) return &choices.front();
  for (const Choice& choice : choices) {
    const std::string_view word = choice.word;
    if (EqualsIgnoringCase(answer, word) || EqualsIgnoringCase(answer, word.substr(0, 1))) {
      return &choice;
    }
  }
  return nullptr;
}

}  // namespace

ConsoleErrorBox::ConsoleErrorBox(std::istream& in, std::ostream& err, bool input_is_terminal)
    : in_(in), err_(err), input_is_terminal_(input_is_terminal) {}

std::uint32_t ConsoleErrorBox::Show(std::string_view text, std::string_view caption,
                                    std::uint32_t default_code, std::uint32_t retry_code,
                                    std::uint32_t abort_code) {
  ShowText(text, caption);
  const std::vector<Choice> choices = OfferedChoices(default_code, retry_code, abort_code);
  // Without anyone to ask, the first choice is Default when it is allowed, else Abort.
  const Choice& unattended =
      choices.front().code == kDefaultChoice ? choices.front() : choices.back();
  if (input_is_terminal_) {
    for (;;) {
      err_ << Prompt(choices) << std::flush;
      std::string answer;
      if (!std::getline(in_, answer)) break;
      if (const Choice* choice = Match(choices, TrimBlanksAndTabs(answer))) return choice->code;
    }
    err_ << "\n";
  }
  err_ << "ivarscan: answered " << unattended.word << ": no answer can be read from standard input"
       << std::endl;
  return unattended.code;
}

void ConsoleErrorBox::ShowNotice(std::string_view text, std::string_view caption) {
  ShowText(text, caption);
  err_ << std::flush;
}

void ConsoleErrorBox::ShowText(std::string_view text, std::string_view caption) {
  std::string shown = ForTerminal(text);
  if (shown.empty() || shown.back() != '\n') shown += '\n';
  err_ << "\n" << caption << "\n" << std::string(caption.size(), '-') << "\n" << shown;
}

}  // namespace ivarscan
