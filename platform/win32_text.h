// Text conversions between the program's strings and the wide strings of the Windows API.
// On Windows the program holds paths and command-line arguments in UTF-8, so that a file
// name in any script reaches the outputs unchanged; the API is called with UTF-16.
#ifndef IVARSCAN_PLATFORM_WIN32_TEXT_H_
#define IVARSCAN_PLATFORM_WIN32_TEXT_H_

#include <string>
#include <string_view>

namespace ivarscan {

// `text` in UTF-16. Text that is not valid UTF-8 (a name typed in the active code page, for
// one) is read in the active code page instead.
std::wstring ToWide(std::string_view text);

// `text`, UTF-16 from the Windows API, in UTF-8.
std::string FromWide(std::wstring_view text);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WIN32_TEXT_H_
