// Fuzz target for the class source scanner. The input is one class source text.
//
// MULTILINECOMMENT, CLEANUPLINEEND and STRIPCOMMENTS are compared with a plain rendering
// of their step-by-step definition (the repeated marker search over the remaining text,
// the line loop, the deletion of every ";" CR LF), which is slow but obviously faithful;
// GETVISIBLEIVARS is checked for what every name it returns must satisfy.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/scanner.h"
#include "fuzz/fuzz_check.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The reference checks re-read the remaining text for every marker and quote, so they run
// only on inputs up to this size; longer ones still exercise the scanner itself.
constexpr std::size_t kReferenceLimit = 16 * 1024;

// The marker search as written: walk the 1-based positions, skip quoted regions that close
// on their line, stop at the first marker.
std::size_t ReferenceMarker(std::string_view text, bool find_start) {
  if (text.find(find_start ? "/*" : "*/") == kNone) return 0;
  const std::size_t n = text.size();
  const char first = find_start ? '/' : '*';
  const char second = find_start ? '*' : '/';
  std::size_t i = 1;
  while (i <= n) {
    const char c = text[i - 1];
    if ((c == '"' || c == '\'' || c == '[') && i < n) {
      const char closing = c == '[' ? ']' : c;
      std::size_t j = i + 1;
      while (j <= n && text[j - 1] != closing && text[j - 1] != '\r') ++j;
      i = j <= n ? j + 1 : i + 1;
      continue;
    }
    if (c == first && i < n && text[i] == second) return i;
    ++i;
  }
  return 0;
}

std::string ReferenceCleanup(std::string_view line) {
  if (std::size_t at = line.find("//"); at != kNone) line = line.substr(0, at);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return std::string(line);
}

std::string ReferenceStrip(std::string_view source) {
  std::string uncommented;
  std::string_view rest = source;
  for (;;) {
    const std::size_t start = ReferenceMarker(rest, true);
    if (start == 0) {
      uncommented.append(rest);
      break;
    }
    uncommented.append(rest.substr(0, start - 1));
    rest = rest.substr(start + 1);
    const std::size_t end = ReferenceMarker(rest, false);
    rest = end > 0 ? rest.substr(end + 1) : std::string_view();
  }
  std::string lines;
  for (std::string_view input = uncommented; !IsBlank(input);) {
    const std::size_t end = input.find("\r\n");
    lines += ReferenceCleanup(input.substr(0, end));
    lines += "\r\n";
    input = end == kNone ? std::string_view() : input.substr(end + 2);
  }
  std::string joined;
  for (std::size_t pos = 0;;) {
    const std::size_t at = lines.find(";\r\n", pos);
    joined.append(lines, pos, at == kNone ? std::string::npos : at - pos);
    if (at == kNone) return joined;
    pos = at + 3;
  }
}

// The declarations as written: declaration lines, their text from the first blank on,
// commas made line breaks, items cut before " AS ", " IS " and ":=", until the rest of
// the declaration text is blank. Empty names are left out, as the scanner lists none; the
// rendering is only compared on text without brackets, braces, parentheses, quotes and
// DIM, where the scanner keeps items whole or cuts them differently on purpose.
IvarList ReferenceIvars(std::string_view stripped) {
  std::string declarations;
  for (std::string_view rest = stripped; !IsBlank(rest);) {
    const std::size_t end = rest.find("\r\n");
    std::string line(rest.substr(0, end));
    rest = end == kNone ? std::string_view() : rest.substr(end + 2);
    for (char& c : line) c = c == '\t' ? ' ' : c;
    line.erase(0, line.find_first_not_of(' '));
    const std::string prefix = UpperAscii(line.substr(0, 4));
    if (prefix.empty() || std::string_view("EXPO|PROT|INST").find(prefix) == kNone) continue;
    const std::size_t blank = line.find(' ');
    if (blank != kNone) declarations += line.substr(blank) + "\r\n";
  }
  std::string items;
  for (char c : declarations) c == ',' ? items += "\r\n" : items += c;
  IvarList names;
  for (std::string_view rest = items; !IsBlank(rest);) {
    const std::size_t end = rest.find("\r\n");
    std::string_view item = rest.substr(0, end);
    rest = end == kNone ? std::string_view() : rest.substr(end + 2);
    if (std::size_t at = UpperAscii(item).find(" AS "); at != kNone) item = item.substr(0, at + 1);
    if (std::size_t at = UpperAscii(item).find(" IS "); at != kNone) item = item.substr(0, at + 1);
    item = TrimBlanks(item.substr(0, item.find(":=")));
    if (!item.empty()) names.emplace_back(item);
  }
  return names;
}

bool ScannerCutsDifferently(std::string_view stripped) {
  return stripped.find_first_of("()[]{}\"'") != kNone || UpperAscii(stripped).find("DIM") != kNone;
}

// True when `name` has a comma outside (), {}, [] and quoted text, where the scanner
// splits declaration items.
bool HasItemSeparator(std::string_view name) {
  std::size_t depth = 0;
  char quote = 0;
  for (char c : name) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '(' || c == '{' || c == '[') {
      ++depth;
    } else if ((c == ')' || c == '}' || c == ']') && depth > 0) {
      --depth;
    } else if (c == ',' && depth == 0) {
      return true;
    }
  }
  return false;
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
  FuzzCheck(!HasItemSeparator(name), "a name holds two items");
}

void CheckSource(std::string_view source) {
  const std::string stripped = STRIPCOMMENTS(source);
  for (const std::string& name : GETVISIBLEIVARS(source)) CheckName(name);
  const std::size_t first_line_end = source.find("\r\n");
  const std::string_view first_line = source.substr(0, first_line_end);
  FuzzCheck(CLEANUPLINEEND(first_line) == ReferenceCleanup(first_line), "CLEANUPLINEEND");
  if (source.size() > kReferenceLimit) return;
  FuzzCheck(MULTILINECOMMENT(source, true) == ReferenceMarker(source, true),
            "MULTILINECOMMENT start");
  FuzzCheck(MULTILINECOMMENT(source, false) == ReferenceMarker(source, false),
            "MULTILINECOMMENT end");
  FuzzCheck(stripped == ReferenceStrip(source), "STRIPCOMMENTS");
  if (!ScannerCutsDifferently(stripped)) {
    FuzzCheck(GETVISIBLEIVARS(source) == ReferenceIvars(stripped), "GETVISIBLEIVARS");
  }
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ivarscan::CheckSource(ivarscan::FuzzText(data, size));
  return 0;
}
