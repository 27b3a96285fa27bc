// Text helpers of the language runtime that every layer relies on. Text is single-byte:
// these functions look at bytes, never at a locale, so UTF-8 and code-page text pass
// through unchanged.
#ifndef IVARSCAN_PLATFORM_TEXT_H_
#define IVARSCAN_PLATFORM_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace ivarscan {

// The line end of every text the programs write: the report, the error message, the log.
inline constexpr std::string_view kCrLf = "\r\n";

// Maps the ASCII letters a-z to A-Z and leaves every other byte as it is.
inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Returns `text` with every ASCII letter upper-cased.
std::string UpperAscii(std::string_view text);

// True when the two texts are equal after upper-casing both (no prefix matching). Inline:
// the report compares every instance variable with its ancestors' this way.
inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

// True for the bytes that make a text blank: blank, tab, CR and LF.
inline bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// True when `text` is empty or made only of blanks, tabs, CRs and LFs. Loops that walk
// a text stop as soon as its unprocessed rest is blank.
bool IsBlank(std::string_view text);

// Removes leading and trailing blanks (code 32 only).
std::string_view TrimBlanks(std::string_view text);

// Removes leading and trailing blanks and tabs.
std::string_view TrimBlanksAndTabs(std::string_view text);

// The 64-bit FNV-1a hash of a text: kFnv1a64Basis, then Fnv1a64Add for each byte in turn.
// Fingerprints that outputs write are made of it, so it never changes.
inline constexpr std::uint64_t kFnv1a64Basis = 0xCBF29CE484222325;
inline std::uint64_t Fnv1a64Add(std::uint64_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 0x100000001B3;
}
inline std::uint64_t Fnv1a64(std::string_view text) {
  std::uint64_t hash = kFnv1a64Basis;
  for (char c : text) hash = Fnv1a64Add(hash, c);
  return hash;
}

// The text up to its first zero byte: how a zero-terminated buffer is read.
std::string_view ZeroTerminated(const char* buffer, std::size_t size);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TEXT_H_
