#include "errors/hex_text.h"

#include <bit>
#include <cmath>

namespace ivarscan {
namespace {

std::string HexDigits(std::uint64_t value, int digits) {
  StringOut out;
  out.AppendHex(value, digits);
  return out.text();
}

std::string HexByDivision(double value) {
  double whole = std::floor(std::fabs(value));
  std::string digits;
  do {
    const double digit = std::fmod(whole, 16.0);
    digits.insert(digits.begin(), "0123456789ABCDEF"[static_cast<int>(digit)]);
    whole = std::floor(whole / 16.0);
  } while (whole >= 1.0);
  return value <= -1.0 ? "-" + digits : digits;
}

}  // namespace

std::string HEXTEXT(std::uint32_t word) { return HexDigits(word, 8); }

std::string HEXTEXT(std::int32_t word) { return HexDigits(static_cast<std::uint32_t>(word), 8); }

std::string HEXTEXT(bool logic) { return HexDigits(logic ? 1 : 0, 8); }

std::string HEXTEXT(const void* pointer) {
  StringOut out;
  AppendHexPointer(out, pointer);
  return out.text();
}

void AppendHexPointer(TextOut& out, const void* pointer) {
  out.AppendHex(reinterpret_cast<std::uintptr_t>(pointer), 2 * sizeof(void*));
}

std::string HEXTEXT(std::string_view text) { return HEXDUMP(text); }

std::string HEXTEXT(const char* text) { return HEXDUMP(text != nullptr ? text : ""); }

std::string HEXTEXT(double value, const Variant& variant) {
  if (variant.is_ide20() && std::isfinite(value)) return HexByDivision(value);
  if (std::trunc(value) == value && value >= -2147483647.0 && value <= 4294967295.0) {
    const auto word = value < 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(value))
                                : static_cast<std::uint32_t>(value);
    return HexDigits(word, 8);
  }
  return HexDigits(std::bit_cast<std::uint64_t>(value), 16);
}

std::string HEXDUMP(std::string_view text) {
  StringOut out;
  for (unsigned char byte : text) {
    out.AppendHex(byte, 2);
    out.Append(' ');
  }
  return out.text();
}

}  // namespace ivarscan
