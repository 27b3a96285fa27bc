#include "platform/text.h"

#include <algorithm>
#include <cstring>

namespace ivarscan {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsBlankChar(c); });
}

namespace {

template <typename Pred>
std::string_view Trim(std::string_view text, Pred is_trimmed) {
  while (!text.empty() && is_trimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_trimmed(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  return Trim(text, [](char c) { return c == ' '; });
}

std::string_view TrimBlanksAndTabs(std::string_view text) {
  return Trim(text, [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view ZeroTerminated(const char* buffer, std::size_t size) {
  const void* zero = std::memchr(buffer, '\0', size);
  return std::string_view(buffer, zero ? static_cast<const char*>(zero) - buffer : size);
}

}  // namespace ivarscan
