#include "store/settings_file.h"

#include <algorithm>

#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One line of a settings file as the parser sees it.
struct SettingsLine {
  enum Kind { kIgnored, kSection, kKeyValue, kMalformed };
  Kind kind = kIgnored;
  std::string_view name;   // the section name or the key, trimmed
  std::string_view value;  // the value, trimmed
};

SettingsLine ClassifyLine(std::string_view line) {
  line = TrimBlanksAndTabs(line);
  if (line.empty() || line.front() == ';' || line.front() == '#') return {};
  if (line.front() == '[') {
    if (line.back() != ']') return {SettingsLine::kMalformed, {}, {}};
    return {SettingsLine::kSection, TrimBlanksAndTabs(line.substr(1, line.size() - 2)), {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {SettingsLine::kMalformed, {}, {}};
  std::string_view key = TrimBlanksAndTabs(line.substr(0, equals));
  if (key.empty()) return {SettingsLine::kMalformed, {}, {}};
  return {SettingsLine::kKeyValue, key, TrimBlanksAndTabs(line.substr(equals + 1))};
}

// Walks the lines of a settings file's text. `body` is a line without its line end, `whole`
// the line with it.
class LineWalker {
 public:
  explicit LineWalker(std::string_view text) : text_(text) {
    if (text_.starts_with(kByteOrderMark)) {
      prefix_ = kByteOrderMark;
      text_.remove_prefix(kByteOrderMark.size());
    }
  }

  bool Next(std::string_view* body, std::string_view* whole) {
    if (text_.empty()) return false;
    std::size_t end = text_.find('\n');
    end = end == std::string_view::npos ? text_.size() : end + 1;
    *whole = text_.substr(0, end);
    *body = *whole;
    if (body->ends_with('\n')) body->remove_suffix(1);
    if (body->ends_with('\r')) body->remove_suffix(1);
    text_.remove_prefix(end);
    return true;
  }

  // The byte-order mark the text started with, if any.
  std::string_view prefix() const { return prefix_; }

 private:
  std::string_view text_;
  std::string_view prefix_;
};

std::string_view LineEndOf(std::string_view text) {
  return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

// What ends the last line of `text` before a line is added after it: nothing after an LF;
// an LF after a lone CR, which the reader already takes for the line's end (an added CR LF
// would leave that CR in the line, spoiling a section name or a value); `eol` otherwise.
std::string_view LineBreakAfter(std::string_view text, std::string_view eol) {
  if (text.empty() || text.ends_with('\n')) return {};
  return text.ends_with('\r') ? "\n" : eol;
}

// The rewriting behind SetSettingsValue (value given) and RemoveSettingsKey (nullopt).
std::string RewriteKey(std::string_view text, std::string_view section, std::string_view key,
                       std::optional<std::string_view> value) {
  const std::string_view eol = LineEndOf(text);
  LineWalker walker(text);
  std::string out(walker.prefix());
  bool in_section = false;
  bool written = !value.has_value();
  const bool key_missing = value && !SettingsFile::Parse(text).Find(section, key);
  std::string_view body;
  std::string_view whole;
  while (walker.Next(&body, &whole)) {
    SettingsLine line = ClassifyLine(body);
    if (line.kind == SettingsLine::kSection) {
      in_section = EqualsIgnoringCase(line.name, section);
    }
    const bool is_key =
        in_section && line.kind == SettingsLine::kKeyValue && EqualsIgnoringCase(line.name, key);
    if (is_key && !written && line.value == *value) {
      out.append(whole);  // the value it already has: the line stays as it is written
      written = true;
    } else if (is_key && !written) {
      // The key's spelling, the '=' and the blanks after it stay as written.
      const std::size_t value_start = body.find_first_not_of(" \t", body.find('=') + 1);
      out.append(body.substr(0, std::min(value_start, body.size()))).append(*value);
      out.append(whole.substr(body.size()));
      written = true;
    } else if (!is_key) {
      out.append(whole);
    }
    if (line.kind == SettingsLine::kSection && in_section && !written && key_missing) {
      out.append(LineBreakAfter(whole, eol));
      out.append(key).append("=").append(*value).append(eol);
      written = true;
    }
  }
  if (!written) {
    out.append(LineBreakAfter(out, eol));
    out.append("[").append(section).append("]").append(eol);
    out.append(key).append("=").append(*value).append(eol);
  }
  return out;
}

}  // namespace

SettingsFile SettingsFile::Parse(std::string_view text) {
  SettingsFile file;
  LineWalker walker(text);
  std::string section;
  std::string_view body;
  std::string_view whole;
  for (int number = 1; walker.Next(&body, &whole); ++number) {
    SettingsLine line = ClassifyLine(body);
    if (line.kind == SettingsLine::kSection) {
      section = UpperAscii(line.name);
    } else if (line.kind == SettingsLine::kKeyValue) {
      file.values_.try_emplace({section, UpperAscii(line.name)}, line.value);
    } else if (line.kind == SettingsLine::kMalformed) {
      file.malformed_lines_.push_back(number);
    }
  }
  return file;
}

std::optional<std::string_view> SettingsFile::Find(std::string_view section,
                                                   std::string_view key) const {
  auto found = values_.find({UpperAscii(section), UpperAscii(key)});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::string_view SettingsFile::Get(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
  return Find(section, key).value_or(fallback);
}

bool SettingsFile::GetYesNo(std::string_view section, std::string_view key, bool fallback) const {
  std::optional<std::string_view> value = Find(section, key);
  if (!value) return fallback;
  return EqualsIgnoringCase(*value, "yes") || EqualsIgnoringCase(*value, "true") || *value == "1";
}

std::string SetSettingsValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  return RewriteKey(text, section, key, value);
}

std::string RemoveSettingsKey(std::string_view text, std::string_view section,
                              std::string_view key) {
  return RewriteKey(text, section, key, std::nullopt);
}

}  // namespace ivarscan
