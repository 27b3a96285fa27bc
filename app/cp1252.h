// Text conversion for the JSON and SARIF outputs: the repository's text is single-byte
// Windows code page 1252, and those outputs are UTF-8.
#ifndef IVARSCAN_APP_CP1252_H_
#define IVARSCAN_APP_CP1252_H_

#include <string>
#include <string_view>

namespace ivarscan {

// `text`, read as code page 1252, in UTF-8. The five bytes that the code page leaves
// unassigned (81, 8D, 8F, 90, 9D) become the control characters of the same number, as
// Windows converts them, so every byte gives a character and the result is always valid.
std::string Cp1252ToUtf8(std::string_view text);

// A text of the system, such as a folder's path: kept when it is valid UTF-8, else read as
// code page 1252.
std::string SystemTextToUtf8(std::string_view text);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CP1252_H_
