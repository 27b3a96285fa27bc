#include "app/console/console_options.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace ivarscan {
namespace {

// Sets what an option means in `options` from its value (empty for a flag); false with the
// reason in `error` when the value is not one the option takes.
using ApplyOption = bool (*)(ConsoleOptions* options, const std::string& value, std::string* error);

struct OptionSpec {
  std::string_view name;        // "--repository"
  char short_name;              // 'q' for "-q"; 0 for none
  std::string_view value_name;  // "DIR"; empty for a flag, which may repeat
  // Its text in --help; "%r" stands for the variant's report file.
  std::string_view help;
  ApplyOption apply;
};

// Sets the option's member to its value.
template <auto member>
bool Set(ConsoleOptions* options, const std::string& value, std::string*) {
  options->*member = value;
  return true;
}

// Sets the flag's member.
template <auto member>
bool Raise(ConsoleOptions* options, const std::string&, std::string*) {
  options->*member = true;
  return true;
}

// The most threads --threads accepts: far more than any machine gives a run work for.
constexpr unsigned long kMostThreads = 1024;

bool SetThreads(ConsoleOptions* options, const std::string& value, std::string* error) {
  const bool digits = value.find_first_not_of("0123456789") == std::string::npos;
  const unsigned long count = digits && value.size() <= 4 ? std::stoul(value) : 0;
  if (count < 1 || count > kMostThreads) {
    *error = "--threads needs a whole number from 1 to " + std::to_string(kMostThreads);
    return false;
  }
  options->threads = static_cast<unsigned>(count);
  return true;
}

bool SetFormat(ConsoleOptions* options, const std::string& value, std::string* error) {
  static constexpr std::array<std::pair<std::string_view, ReportFormat>, 4> kFormats = {{
      {"text", ReportFormat::kText},
      {"json", ReportFormat::kJson},
      {"sarif", ReportFormat::kSarif},
      {"gnu", ReportFormat::kGnu},
  }};
  for (const auto& [name, format] : kFormats) {
    if (name == value) {
      options->format = format;
      return true;
    }
  }
  *error = "--format must be text, json, sarif or gnu, not " + value;
  return false;
}

constexpr std::array<OptionSpec, 14> kOptions = {{
    {"--repository", 0, "DIR",
     "the repository folder (default: $IVARSCAN_REPOSITORY, else ./repository)",
     Set<&ConsoleOptions::repository>},
    {"--project", 0, "NAME",
     "report on this project; the project list is not shown. A repository of one "
     "project needs no --project",
     Set<&ConsoleOptions::project>},
    {"--yes", 0, "", "answer Yes to the introduction and to closing the IDE",
     Raise<&ConsoleOptions::assume_yes>},
    {"--no-open", 0, "", "do not open the report in a viewer; print its path",
     Raise<&ConsoleOptions::no_open>},
    {"--quiet", 'q', "",
     "write nothing but errors and warnings: no introduction, progress, closing note "
     "or summary",
     Raise<&ConsoleOptions::quiet>},
    {"--format", 0, "FORMAT",
     "text (the default): the report for people, opened in a viewer; json: the "
     "findings with their files and lines (docs/findings.schema.json); sarif: SARIF "
     "2.1.0 for code-scanning tools; gnu: one line per finding, "
     "FILE:LINE:~error:~MESSAGE~[RULE], for editors and terminals (files relative to "
     "the current folder). Only text opens a viewer",
     SetFormat},
    {"--output", 0, "FILE",
     "write to FILE instead of %r (text) or standard output (the other formats); "
     "- is standard output",
     Set<&ConsoleOptions::output>},
    {"--fail-on-findings", 0, "", "exit with status 3 when a complete run reports findings",
     Raise<&ConsoleOptions::fail_on_findings>},
    {"--baseline", 0, "FILE",
     "leave out the findings that FILE, the JSON output of an earlier run (--format "
     "json), holds; matched by application, class, variable and kind, not by line. "
     "They do not count for --fail-on-findings",
     Set<&ConsoleOptions::baseline>},
    {"--source-root", 0, "DIR",
     "name files in JSON and SARIF relative to DIR (default: the current directory) "
     "when the repository lies under it, else by absolute paths",
     Set<&ConsoleOptions::source_root>},
    {"--threads", 0, "N",
     "read and analyse with N threads (default: one per processor core); the report "
     "is the same for any N",
     SetThreads},
    {"--help", 'h', "", "show this text", Raise<&ConsoleOptions::help>},
    {"--version", 0, "", "show the version", Raise<&ConsoleOptions::version>},
    {"--", 0, "", "end of the options",
     [](ConsoleOptions*, const std::string&, std::string*) { return true; }},
}};

// The option that `argument` names: "--name", "--name=VALUE" or "-x".
const OptionSpec* FindOption(std::string_view argument) {
  for (const OptionSpec& option : kOptions) {
    if (argument == option.name) return &option;
    if (option.short_name != 0 && argument.size() == 2 && argument[0] == '-' &&
        argument[1] == option.short_name) {
      return &option;
    }
    if (!option.value_name.empty() && argument.starts_with(option.name) &&
        argument.size() > option.name.size() && argument[option.name.size()] == '=') {
      return &option;
    }
  }
  return nullptr;
}

// The value of `option` given in arguments[*i]; takes the next argument when the value is
// not attached with '='. An option's value never starts with '-' unless attached or "-".
bool TakeValue(const OptionSpec& option, const std::vector<std::string>& arguments, std::size_t* i,
               std::string* value, std::string* error) {
  const std::string& argument = arguments[*i];
  if (argument.size() > option.name.size() && argument[option.name.size()] == '=') {
    *value = argument.substr(option.name.size() + 1);
  } else if (*i + 1 < arguments.size() &&
             (!arguments[*i + 1].starts_with('-') || arguments[*i + 1] == kStandardOutputName)) {
    *value = arguments[++*i];
  } else {
    value->clear();
  }
  if (value->empty()) {
    *error = std::string(option.name) + " needs a value";
    return false;
  }
  return true;
}

std::string Replace(std::string text, std::string_view from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

// Appends `text` to `out`, broken into lines of at most `width` columns at blanks; every
// line after the first starts with `indent` blanks, and the first goes on from column
// `column`. A '~' is a blank that never breaks the line.
void AppendWrapped(std::string_view text, std::size_t column, std::size_t indent, std::size_t width,
                   std::string* out) {
  while (!text.empty()) {
    const std::size_t word_end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, word_end);
    const bool first_on_line = column == indent;
    if (!first_on_line && column + 1 + word.size() > width) {
      *out += '\n';
      out->append(indent, ' ');
      column = indent;
    } else if (!first_on_line) {
      *out += ' ';
      ++column;
    }
    *out += Replace(std::string(word), "~", " ");
    column += word.size();
    text.remove_prefix(std::min(word_end + 1, text.size()));
  }
  *out += '\n';
}

constexpr std::size_t kWidth = 80;
constexpr std::size_t kHelpColumn = 22;

std::string Synopsis(const std::string& program_name) {
  std::string options;
  for (const OptionSpec& option : kOptions) {
    if (option.name == "--") continue;
    options.append(" [").append(option.name);
    if (!option.value_name.empty()) options.append("~").append(option.value_name);
    options += ']';
  }
  const std::string synopsis = "Usage: " + program_name;
  std::string out = synopsis;
  AppendWrapped(options.substr(1), synopsis.size(), synopsis.size() + 1, kWidth, &out);
  return out;
}

std::string OptionLines(const std::string& report_file_name) {
  std::string lines;
  for (const OptionSpec& option : kOptions) {
    std::string names = "  ";
    if (option.short_name != 0) names.append("-").append(1, option.short_name).append(", ");
    names += option.name;
    if (!option.value_name.empty()) names.append(" ").append(option.value_name);
    lines += names;
    std::size_t column = names.size();
    if (column + 2 > kHelpColumn) {
      lines += "\n";
      column = 0;
    }
    lines += std::string(kHelpColumn - column, ' ');
    AppendWrapped(Replace(std::string(option.help), "%r", report_file_name), kHelpColumn,
                  kHelpColumn, kWidth, &lines);
  }
  return lines;
}

std::string Paragraph(std::string_view text) {
  std::string out;
  AppendWrapped(text, 0, 0, kWidth, &out);
  return out;
}

}  // namespace

bool ConsoleOptions::OutputIsStandardOutput() const {
  return output == kStandardOutputName || (output.empty() && format != ReportFormat::kText);
}

std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error) {
  ConsoleOptions options;
  std::vector<const OptionSpec*> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const OptionSpec* option = FindOption(arguments[i]);
    if (option == nullptr) {
      *error = (arguments[i].starts_with('-') ? "unknown option: " : "unexpected argument: ") +
               arguments[i];
      return std::nullopt;
    }
    if (option->name == "--") {
      if (i + 1 < arguments.size()) {
        *error = "unexpected argument: " + arguments[i + 1];
        return std::nullopt;
      }
      break;
    }
    std::string value;
    if (!option->value_name.empty()) {
      if (std::find(given.begin(), given.end(), option) != given.end()) {
        *error = std::string(option->name) + " is given more than once";
        return std::nullopt;
      }
      if (!TakeValue(*option, arguments, &i, &value, error)) return std::nullopt;
    }
    given.push_back(option);
    if (!option->apply(&options, value, error)) return std::nullopt;
  }
  return options;
}

std::string ConsoleUsage(const std::string& program_name, const std::string& report_file_name) {
  return Synopsis(program_name) + "\n" +
         Paragraph(
             "Reports every instance variable that a class declares more than once "
             "along its class hierarchy, for every application of one project, in " +
             report_file_name + " in the current directory.") +
         "\n" + OptionLines(report_file_name) + "\n" +
         Paragraph(
             "Without options it asks what the desktop program asks. When standard "
             "input is not a terminal, a question that needs an answer counts as No "
             "or Cancel.") +
         "\n" +
         Paragraph(
             "ivarscan reads a repository of IDE 2.5 and writes DUPIVars25.TXT; "
             "ivarscan20 reads one of IDE 2.0, as before moving its code to 2.5, "
             "writes DUPIVars20.TXT and handles errors as IDE 2.0 tools do. "
             "Otherwise the two are the same.") +
         "\n"
         "Exit status:\n"
         "  0    a complete report was written\n"
         "  1    no report, or only a cancelled one, was written: the introduction was\n"
         "       declined, the repository is not available or holds no project, the\n"
         "       project cannot be selected, the run was cancelled, or the report file\n"
         "       could not be written and the run went on without it (Default)\n"
         "  2    a bad command line, or a baseline that cannot be read\n"
         "  3    with --fail-on-findings: a complete report with findings\n"
         "  20, 22, 24\n"
         "       Abort was chosen when the report file could not be created (20),\n"
         "       closed (22) or written (24)\n"
         "  130  ended by Ctrl-C while no run was processing applications, or by a\n"
         "       second Ctrl-C during one (the first cancels the run: status 1)\n";
}

}  // namespace ivarscan
