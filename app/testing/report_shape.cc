#include "app/testing/report_shape.h"

#include <vector>

#include "engine/finding_kinds.h"
#include "engine/text_report.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

using namespace report_text;  // the texts and widths the report is written with

// Reads a report line by line and says where it first strays from the layout.
class ShapeChecker {
 public:
  explicit ShapeChecker(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  std::string Check() {
    const std::string header = TextReportHeader();
    for (std::string_view expected : Lines(header)) {
      if (!Expect(expected)) return error_;
    }
    while (!AtEnd()) {
      if (!ApplicationBlock()) return error_;
    }
    return error_;
  }

  // The CR LF separated lines of `text`; text that does not end in CR LF gets a last line
  // that CheckReportShape rejects.
  static std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
      const std::size_t end = text.find("\r\n");
      lines.push_back(text.substr(0, end));
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
    return lines;
  }

 private:
  bool AtEnd() const { return next_ >= lines_.size(); }
  std::string_view Peek() const { return AtEnd() ? std::string_view() : lines_[next_]; }

  bool Fail(const std::string& what) {
    error_ = "line " + std::to_string(next_ + 1) + ": " + what;
    if (!AtEnd()) error_ += ": \"" + std::string(Peek()) + "\"";
    return false;
  }

  bool Expect(std::string_view expected) {
    if (AtEnd() || Peek() != expected) return Fail("expected \"" + std::string(expected) + "\"");
    ++next_;
    return true;
  }

  // Takes a line that starts with `prefix`; its rest goes to `rest`.
  bool TakePrefixed(std::string_view prefix, std::string_view* rest) {
    if (AtEnd() || !Peek().starts_with(prefix)) {
      return Fail("expected a line starting \"" + std::string(prefix) + "\"");
    }
    *rest = Peek().substr(prefix.size());
    ++next_;
    return true;
  }

  bool ApplicationBlock() {
    std::string_view application;
    if (!TakePrefixed(kApplication, &application) ||
        !Expect(std::string(kApplicationRuleWidth, '='))) {
      return false;
    }
    int classes = 0;
    while (Peek().starts_with(kClass)) {
      if (!ClassBlock(application)) return false;
      ++classes;
    }
    if (Peek() == kCancelled) {
      ++next_;
      if (!AtEnd()) return Fail("nothing may follow the cancelled line");
    } else if (classes == 0) {
      return Expect(kNoClasses) && Expect("");
    }
    return true;
  }

  bool ClassBlock(std::string_view application) {
    std::string_view ignored;
    if (!TakePrefixed(kClass, &ignored) || !Expect(std::string(kApp) + std::string(application)) ||
        !TakePrefixed(kModule, &ignored) || !TakePrefixed(kInheritsFrom, &ignored)) {
      return false;
    }
    const bool flagged = ParentProblemLine();
    if (!error_.empty() || !Expect("") || !Expect(kSection)) return false;
    int details = 0;
    while (!AtEnd() && !Peek().empty()) {
      if (!DetailLine(Peek())) return Fail("not a detail line");
      ++next_;
      ++details;
    }
    if (details == 0 && !flagged) return Fail("a class block without details or parent problem");
    return Expect("") && Expect("");
  }

  // Takes a missing-parent or cyclic-inheritance line when one comes; true when it did.
  bool ParentProblemLine() {
    for (FindingKind kind : {FindingKind::kMissingParent, FindingKind::kCyclicInheritance}) {
      const std::string_view prefix = InfoOf(kind).report_text;
      std::string_view line = Peek();
      if (!line.starts_with(prefix)) continue;
      std::string_view name = line.substr(prefix.size());
      if (!name.ends_with(kProblemEnd)) return Fail("the parent line must end in \" **\"");
      name.remove_suffix(kProblemEnd.size());
      if (IsBlank(name) || UpperAscii(name) != name) {
        return Fail("the parent line names a blank or not upper-cased class");
      }
      ++next_;
      return true;
    }
    return false;
  }

  // "<name> occurs more than once in this class" or "<name> also in <class> (<app>-<module>)".
  static bool DetailLine(std::string_view line) {
    const std::string_view repeated = InfoOf(FindingKind::kDuplicateInClass).report_text;
    if (line.ends_with(repeated)) return line.size() > repeated.size();
    const std::size_t also = line.find(InfoOf(FindingKind::kDuplicateOfInherited).report_text);
    const std::size_t open = line.rfind(" (");
    return also != std::string_view::npos && also > 0 && open != std::string_view::npos &&
           open > also && line.ends_with(")") &&
           line.substr(open).find('-') != std::string_view::npos;
  }

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::string error_;
};

}  // namespace

std::string CheckReportShape(std::string_view report) {
  if (!report.ends_with("\r\n")) return "the report does not end in CR LF";
  for (std::size_t lf = report.find('\n'); lf != std::string_view::npos;
       lf = report.find('\n', lf + 1)) {
    if (lf == 0 || report[lf - 1] != '\r') {
      return "a line feed without carriage return at byte " + std::to_string(lf);
    }
  }
  return ShapeChecker(ShapeChecker::Lines(report)).Check();
}

}  // namespace ivarscan
