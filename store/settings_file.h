// Settings files (*.ini) of the repository folder: `[Section]` lines open a section and
// `key=value` lines set a key of the open section. Section and key names compare ignoring
// letter case; blanks and tabs around keys and values are removed; lines starting with `;`
// or `#`, blank lines and lines without `=` are ignored. Lines may end in LF or CR LF, and a
// UTF-8 byte-order mark at the start of the file is ignored (editors add it unasked).
#ifndef IVARSCAN_STORE_SETTINGS_FILE_H_
#define IVARSCAN_STORE_SETTINGS_FILE_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ivarscan {

class SettingsFile {
 public:
  // Reads a settings file's text. Never fails: lines it cannot use are ignored and listed
  // in malformed_lines().
  static SettingsFile Parse(std::string_view text);

  // The value of `key` in `section`; when the key is set more than once, the first line
  // counts (also across repeated sections of the same name). nullopt when it is not set.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // The value of `key` in `section`, or `fallback` when it is not set.
  std::string_view Get(std::string_view section, std::string_view key,
                       std::string_view fallback = {}) const;

  // True when the value is `yes`, `true` or `1` in any case; `fallback` when not set.
  bool GetYesNo(std::string_view section, std::string_view key, bool fallback) const;

  // The 1-based numbers of the lines that were neither blank, a comment, a section line nor
  // a key=value line (a line without `=`, an empty key, a `[` line without its `]`).
  const std::vector<int>& malformed_lines() const { return malformed_lines_; }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;  // upper-cased names
  std::vector<int> malformed_lines_;
};

// Returns `text` with `key` of `section` set to `value`, every other line kept as it is:
// the key's first line in the section gets the new value (its spelling up to the value
// kept, and the whole line when it already holds that value), and later lines of that
// key in the section are dropped; a missing key is added right after the section's first
// line, and a missing section at the end of the text. Added lines end in CR LF when the
// text has CR LF line ends, in LF otherwise.
std::string SetSettingsValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// Returns `text` without any line of `key` in `section`; every other line is kept.
std::string RemoveSettingsKey(std::string_view text, std::string_view section,
                              std::string_view key);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_SETTINGS_FILE_H_
