// Fuzz target for the class source scanner. The input is one class source text.
//
// MULTILINECOMMENT, CLEANUPLINEEND and STRIPCOMMENTS are compared with the slow, literal
// reference in engine/testing/scanner_reference.h, and so is GETVISIBLEIVARS where the
// scanner does not cut differently on purpose; every name it returns is checked for what must hold
// of it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scanner.h"
#include "engine/testing/scanner_reference.h"
#include "fuzz/fuzz_check.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The reference checks re-read the remaining text for every marker and quote, so they run
// only on inputs up to this size; longer ones still exercise the scanner itself.
constexpr std::size_t kReferenceLimit = 16 * 1024;

// True for text on which the scanner keeps items whole or cuts them on purpose otherwise
// than the reference: brackets, braces, parentheses, quotes and DIM.
bool ScannerCutsDifferently(std::string_view stripped) {
  return stripped.find_first_of("()[]{}\"'") != kNone || UpperAscii(stripped).find("DIM") != kNone;
}

void CheckName(const std::string& name) {
  FuzzCheck(!name.empty(), "a name is empty");
  FuzzCheck(name.front() != ' ' && name.back() != ' ', "a name has blanks around it");
  FuzzCheck(name.find("\r\n") == kNone, "a name spans lines");
  FuzzCheck(name.find('\t') == kNone, "a name keeps a tab");
  FuzzCheck(name.find('[') == kNone, "a name keeps a dimension");
  FuzzCheck(name.find(":=") == kNone, "a name keeps its initial value");
  const std::string upper = UpperAscii(name);
  FuzzCheck(upper.find(" AS ") == kNone && upper.find(" IS ") == kNone, "a name keeps a type");
  FuzzCheck(FindItemSeparator(name) == std::string_view::npos, "a name holds two items");
}

// Each traced line exists in the source, the lines do not go back, and the name's first
// character stands on its line.
void CheckLines(std::string_view source, const IvarList& ivars,
                const std::vector<std::size_t>& lines) {
  FuzzCheck(lines.size() == ivars.size(), "a name without a line");
  std::vector<std::string_view> source_lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = source.find("\r\n", start);
    source_lines.push_back(source.substr(start, end == kNone ? kNone : end - start));
    if (end == kNone) break;
    start = end + 2;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    FuzzCheck(lines[i] < source_lines.size(), "a name's line is past the source");
    FuzzCheck(i == 0 || lines[i - 1] <= lines[i], "the names' lines go back");
    FuzzCheck(source_lines[lines[i]].find(ivars[i].front()) != kNone,
              "a name's first character is not on its line");
  }
}

void CheckSource(std::string_view source) {
  std::vector<std::size_t> lines;
  const IvarList ivars = GETVISIBLEIVARS(source, &lines);
  for (const std::string& name : ivars) CheckName(name);
  CheckLines(source, ivars, lines);
  const std::size_t first_line_end = source.find("\r\n");
  const std::string_view first_line = source.substr(0, first_line_end);
  FuzzCheck(CLEANUPLINEEND(first_line) == ReferenceCleanup(first_line), "CLEANUPLINEEND");
  if (source.size() > kReferenceLimit) return;
  const std::string stripped = STRIPCOMMENTS(source);
  FuzzCheck(MULTILINECOMMENT(source, true) == ReferenceMarker(source, true),
            "MULTILINECOMMENT start");
  FuzzCheck(MULTILINECOMMENT(source, false) == ReferenceMarker(source, false),
            "MULTILINECOMMENT end");
  FuzzCheck(stripped == ReferenceStripComments(source), "STRIPCOMMENTS");
  if (!ScannerCutsDifferently(stripped)) {
    FuzzCheck(ivars == ReferenceIvars(stripped), "GETVISIBLEIVARS");
  }
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ivarscan::CheckSource(ivarscan::FuzzText(data, size));
  return 0;
}
