// General error codes, type codes and their texts: the numbering that error records carry
// and the runtime's texts for it (ErrString, TypeString), plus the runtime's Version text.
// All texts are static, so these functions are async-signal-safe.
#ifndef IVARSCAN_PLATFORM_ERROR_CODES_H_
#define IVARSCAN_PLATFORM_ERROR_CODES_H_

#include <cstdint>

namespace ivarscan {

// General error codes, numbered as the language family numbers them; the last three are
// this program's own.
namespace gencode {
inline constexpr std::uint32_t kArgument = 1;
inline constexpr std::uint32_t kBound = 2;
inline constexpr std::uint32_t kStringOverflow = 3;
inline constexpr std::uint32_t kNumericOverflow = 4;
inline constexpr std::uint32_t kZeroDivide = 5;
inline constexpr std::uint32_t kNumeric = 6;
inline constexpr std::uint32_t kSyntax = 7;
inline constexpr std::uint32_t kComplexity = 8;
inline constexpr std::uint32_t kMemory = 11;
inline constexpr std::uint32_t kNoFunction = 12;
inline constexpr std::uint32_t kNoMethod = 13;
inline constexpr std::uint32_t kNoVariable = 14;
inline constexpr std::uint32_t kNoAlias = 15;
inline constexpr std::uint32_t kNoVariableMethod = 16;
inline constexpr std::uint32_t kBadAlias = 17;
inline constexpr std::uint32_t kDuplicateAlias = 18;
inline constexpr std::uint32_t kCreate = 20;
inline constexpr std::uint32_t kOpen = 21;
inline constexpr std::uint32_t kClose = 22;
inline constexpr std::uint32_t kRead = 23;
inline constexpr std::uint32_t kWrite = 24;
inline constexpr std::uint32_t kPrint = 25;
inline constexpr std::uint32_t kWrongClass = 28;
inline constexpr std::uint32_t kUnsupported = 30;
inline constexpr std::uint32_t kLimit = 31;
inline constexpr std::uint32_t kCorruption = 32;
inline constexpr std::uint32_t kDataType = 33;
inline constexpr std::uint32_t kDataWidth = 34;
inline constexpr std::uint32_t kNoTable = 35;
inline constexpr std::uint32_t kNoOrder = 36;
inline constexpr std::uint32_t kShared = 37;
inline constexpr std::uint32_t kUnlocked = 38;
inline constexpr std::uint32_t kReadOnly = 39;
inline constexpr std::uint32_t kAppendLock = 40;
inline constexpr std::uint32_t kLock = 41;
inline constexpr std::uint32_t kOsException = 50;  // a fatal signal or structured exception
inline constexpr std::uint32_t kException = 51;    // a C++ exception escaped an operation
inline constexpr std::uint32_t kInternal = 52;     // raised through RaiseInternalError
}  // namespace gencode

// Type codes of values, as error records name them (ARGTYPE, ARGTYPEREQ, SUBSTITUTETYPE).
namespace typecode {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kLong = 1;
inline constexpr std::uint32_t kDate = 2;
inline constexpr std::uint32_t kFloat = 3;
inline constexpr std::uint32_t kArray = 5;
inline constexpr std::uint32_t kObject = 6;
inline constexpr std::uint32_t kString = 7;
inline constexpr std::uint32_t kLogic = 8;
inline constexpr std::uint32_t kCodeblock = 9;
inline constexpr std::uint32_t kSymbol = 10;
inline constexpr std::uint32_t kDword = 14;
inline constexpr std::uint32_t kPointer = 18;
}  // namespace typecode

// The standard description of a general error code; "Unknown error" for codes without one.
const char* ErrString(std::uint32_t gencode);

// The name of a type code ("STRING", "PTR", ...); "UNKNOWN" for codes without one.
const char* TypeString(std::uint32_t type);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_ERROR_CODES_H_
