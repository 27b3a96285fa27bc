#include "engine/testing/scanner_reference.h"

#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The first CR LF separated line of `*rest`; `*rest` moves past it and its CR LF.
std::string_view TakeLine(std::string_view* rest) {
  const std::size_t end = rest->find("\r\n");
  const std::string_view line = rest->substr(0, end);
  *rest = end == kNone ? std::string_view() : rest->substr(end + 2);
  return line;
}

}  // namespace

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

std::string ReferenceStripComments(std::string_view source) {
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
    lines += ReferenceCleanup(TakeLine(&input));
    lines += "\r\n";
  }
  std::string joined;
  for (std::size_t pos = 0;;) {
    const std::size_t at = lines.find(";\r\n", pos);
    joined.append(lines, pos, at == kNone ? std::string::npos : at - pos);
    if (at == kNone) return joined;
    pos = at + 3;
  }
}

IvarList ReferenceIvars(std::string_view stripped) {
  std::string declarations;
  for (std::string_view rest = stripped; !IsBlank(rest);) {
    std::string line(TakeLine(&rest));
    for (char& c : line) c = c == '\t' ? ' ' : c;
    line.erase(0, line.find_first_not_of(' '));
    const std::string prefix = UpperAscii(line.substr(0, 4));
    if (prefix.empty() || std::string_view("EXPO|PROT|INST").find(prefix) == kNone) continue;
    // A keyword with nothing after it on its line declares nothing.
    const std::size_t blank = line.find(' ');
    if (blank != kNone) declarations += line.substr(blank) + "\r\n";
  }
  std::string items;
  for (char c : declarations) c == ',' ? items += "\r\n" : items += c;
  IvarList names;
  for (std::string_view rest = items; !IsBlank(rest);) {
    std::string_view item = TakeLine(&rest);
    if (std::size_t at = UpperAscii(item).find(" AS "); at != kNone) item = item.substr(0, at + 1);
    if (std::size_t at = UpperAscii(item).find(" IS "); at != kNone) item = item.substr(0, at + 1);
    item = TrimBlanks(item.substr(0, item.find(":=")));
    if (!item.empty()) names.emplace_back(item);
  }
  return names;
}

}  // namespace ivarscan
