// Text conversion between the repository's text, single-byte Windows code page 1252, and
// UTF-8: the encoding of the JSON and SARIF outputs and of the names the file system gives
// (on Linux, and as the Windows Env hands them on). Each text is converted once: names of
// files where they become names of the repository, repository texts where they are written.
#ifndef IVARSCAN_PLATFORM_CP1252_H_
#define IVARSCAN_PLATFORM_CP1252_H_

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

// A name that the file system gives (a folder's or a file's), as a text of the repository:
// a UTF-8 name whose every character the code page has, in code page 1252; any other name
// as it stands, byte for byte.
std::string FileNameToCp1252(std::string_view name);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_CP1252_H_
