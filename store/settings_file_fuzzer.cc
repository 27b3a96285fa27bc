// Fuzz target for the settings files (*.ini) of the repository folder.
//
// Input: a first line "section|key|value|probe section|probe key" (missing fields are
// empty), then the text of a settings file. The target reads the text, sets and removes
// the key as PrjSelect rewrites repository.ini, and checks that reading the result gives
// the new value (or none), that setting twice changes nothing more, and that the probe key
// keeps its value.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/text.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

struct Request {
  std::string_view section, key, value, probe_section, probe_key;
};

// Splits the first line of the input into the request; the rest is the settings text.
Request ReadRequest(std::string_view* input) {
  const std::size_t newline = input->find('\n');
  std::string_view line = input->substr(0, newline);
  input->remove_prefix(newline == std::string_view::npos ? input->size() : newline + 1);
  Request request;
  std::string_view* fields[] = {&request.section, &request.key, &request.value,
                                &request.probe_section, &request.probe_key};
  for (std::string_view* field : fields) {
    const std::size_t bar = line.find('|');
    *field = line.substr(0, bar);
    line.remove_prefix(bar == std::string_view::npos ? line.size() : bar + 1);
  }
  return request;
}

// A text that a settings line gives back unchanged: one line, no blanks or tabs around it.
bool IsPlainText(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos && TrimBlanksAndTabs(text) == text;
}

bool IsPlainName(std::string_view name) { return !name.empty() && IsPlainText(name); }

// A key that reads back as a key: not a comment, a section line or a line without a key.
bool IsPlainKey(std::string_view key) {
  return IsPlainName(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
         key.front() != '#' && key.front() != '[';
}

bool SameKey(std::string_view section_a, std::string_view key_a, std::string_view section_b,
             std::string_view key_b) {
  return EqualsIgnoringCase(section_a, section_b) && EqualsIgnoringCase(key_a, key_b);
}

void CheckParse(std::string_view text) {
  const SettingsFile file = SettingsFile::Parse(text);
  int previous = 0;
  for (int line : file.malformed_lines()) {
    FuzzCheck(line > previous, "malformed line numbers are not ascending");
    previous = line;
  }
}

void CheckRewrite(std::string_view text, const Request& request) {
  const std::optional<std::string> probe_before(
      SettingsFile::Parse(text).Find(request.probe_section, request.probe_key));
  const bool probe_is_key =
      SameKey(request.section, request.key, request.probe_section, request.probe_key);

  const std::string set = SetSettingsValue(text, request.section, request.key, request.value);
  const SettingsFile after_set = SettingsFile::Parse(set);
  FuzzCheck(after_set.Find(request.section, request.key) == request.value,
            "the value set is not read back");
  FuzzCheck(
      probe_is_key || after_set.Find(request.probe_section, request.probe_key) == probe_before,
      "setting a key changed another");
  FuzzCheck(SetSettingsValue(set, request.section, request.key, request.value) == set,
            "setting the same value twice changes the text again");

  const std::string removed = RemoveSettingsKey(text, request.section, request.key);
  const SettingsFile after_remove = SettingsFile::Parse(removed);
  FuzzCheck(!after_remove.Find(request.section, request.key), "the removed key is still read");
  FuzzCheck(
      probe_is_key || after_remove.Find(request.probe_section, request.probe_key) == probe_before,
      "removing a key changed another");
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text = ivarscan::FuzzText(data, size);
  const ivarscan::Request request = ivarscan::ReadRequest(&text);
  ivarscan::CheckParse(text);
  // Names and values that no settings line can hold are outside the contract.
  if (ivarscan::IsPlainName(request.section) && ivarscan::IsPlainKey(request.key) &&
      ivarscan::IsPlainText(request.value)) {
    ivarscan::CheckRewrite(text, request);
  }
  return 0;
}
