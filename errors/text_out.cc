#include "errors/text_out.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/text.h"

namespace ivarscan {

void TextOut::AppendUpper(std::string_view text) {
  for (char c : text) Append(UpperAscii(c));
}

void TextOut::AppendDecimal(std::uint64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void TextOut::AppendHex(std::uint64_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char text[16];
  digits = std::clamp(digits, 1, 16);
  for (int i = digits - 1; i >= 0; --i) {
    text[i] = kDigits[value & 0xF];
    value >>= 4;
  }
  Append(std::string_view(text, static_cast<std::size_t>(digits)));
}

void FixedOut::Append(std::string_view text) {
  const std::size_t count = std::min(text.size(), size_ - length_);
  // memcpy must not be handed a null pointer, even to copy nothing: an empty view or a
  // buffer of size 0 may have one.
  if (count == 0) return;
  std::memcpy(buffer_ + length_, text.data(), count);
  length_ += count;
}

}  // namespace ivarscan
