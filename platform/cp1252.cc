#include "platform/cp1252.h"

#include <cstdint>

namespace ivarscan {
namespace {

// The characters of bytes 80 to 9F; the others are the code points of their bytes.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

void AppendUtf8(std::uint32_t code_point, std::string* out) {
  if (code_point < 0x80) {
    out->push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

// The length of the UTF-8 sequence at the start of `text`, or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80                   ? 1
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                             : lead >= 0xE0                ? 3
                             : lead >= 0xC2                ? 2
                                                           : 0;
  if (length == 0 || length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  const auto second = static_cast<unsigned char>(length > 1 ? text[1] : 0);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
    return 0;  // overlong, a surrogate, or past U+10FFFF
  }
  return length;
}

// The code point of the UTF-8 sequence of `length` bytes at the start of `text`.
std::uint32_t DecodeUtf8(std::string_view text, std::size_t length) {
  static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t code_point = static_cast<unsigned char>(text[0]) & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) {
    code_point = (code_point << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  return code_point;
}

// The byte of code page 1252 for `code_point`, or -1 when the code page has none.
int Cp1252Byte(std::uint32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<int>(code_point);
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == code_point) return 0x80 + i;
  }
  return -1;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

}  // namespace

std::string SystemTextToUtf8(std::string_view text) {
  return IsUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

std::string FileNameToCp1252(std::string_view name) {
  std::string text;
  for (std::string_view rest = name; !rest.empty();) {
    const std::size_t length = Utf8SequenceLength(rest);
    const int byte = length == 0 ? -1 : Cp1252Byte(DecodeUtf8(rest, length));
    if (byte < 0) return std::string(name);
    text.push_back(static_cast<char>(byte));
    rest.remove_prefix(length);
  }
  return text;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte, &out);
  }
  return out;
}

}  // namespace ivarscan
