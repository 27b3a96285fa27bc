// HEXTEXT and HEXDUMP: hexadecimal texts of values, as the error log shows exception codes,
// flags, addresses and information. Hexadecimal letters are upper case.
#ifndef IVARSCAN_ERRORS_HEX_TEXT_H_
#define IVARSCAN_ERRORS_HEX_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "errors/text_out.h"
#include "platform/variant.h"

namespace ivarscan {

// An integer, symbol or logic value: its 32-bit word as 8 digits, with leading zeros; a
// negative integer in two's complement.
std::string HEXTEXT(std::uint32_t word);
std::string HEXTEXT(std::int32_t word);
std::string HEXTEXT(bool logic);

// A pointer: its full width, 8 digits on 32-bit targets and 16 on 64-bit ones.
std::string HEXTEXT(const void* pointer);
void AppendHexPointer(TextOut& out, const void* pointer);

// A text: HEXDUMP of it.
std::string HEXTEXT(std::string_view text);
std::string HEXTEXT(const char* text);

// A floating-point value. A whole number from -2147483647 to 4294967295 gives its 32-bit
// word as 8 digits; any other value the 16 digits of its IEEE-754 bit pattern. In the IDE 2.0
// variant the whole part of the value is converted by repeated division by 16, without
// leading zeros ("0" for zero, a minus sign before a negative value); infinities and NaN give their
// bit pattern there too.
std::string HEXTEXT(double value, const Variant& variant);

// Three characters per byte, two digits and a space, in byte order; empty for empty text.
std::string HEXDUMP(std::string_view text);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_HEX_TEXT_H_
