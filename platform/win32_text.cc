#include "platform/win32_text.h"

#include <windows.h>

namespace ivarscan {
namespace {

// Converts with `code_page`; false when `flags` make the conversion refuse the text.
bool Widen(UINT code_page, DWORD flags, std::string_view text, std::wstring* wide) {
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (length == 0) return false;
  wide->resize(length);
  ::MultiByteToWideChar(code_page, flags, text.data(), size, wide->data(), length);
  return true;
}

}  // namespace

std::wstring ToWide(std::string_view text) {
  std::wstring wide;
  if (text.empty() || Widen(CP_UTF8, MB_ERR_INVALID_CHARS, text, &wide)) return wide;
  Widen(CP_ACP, 0, text, &wide);
  return wide;
}

std::string FromWide(std::wstring_view text) {
  if (text.empty()) return "";
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(length, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace ivarscan
