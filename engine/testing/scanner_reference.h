// The scanner's reference: comment removal and declaration reading written the slow,
// literal way, one step at a time (each marker search re-reads the remaining text), so
// that it is plainly right. Tests and the scanner's fuzz target check the fast scanner
// against it; it is not part of the programs.
#ifndef IVARSCAN_ENGINE_TESTING_SCANNER_REFERENCE_H_
#define IVARSCAN_ENGINE_TESTING_SCANNER_REFERENCE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/scanner.h"

namespace ivarscan {

// MULTILINECOMMENT: walk the 1-based positions, skip quoted regions that close on their
// line, return the position of the first marker or 0.
std::size_t ReferenceMarker(std::string_view text, bool find_start);

// CLEANUPLINEEND: cut before the first "//", then drop trailing blanks and tabs.
std::string ReferenceCleanup(std::string_view line);

// STRIPCOMMENTS: repeated marker searches over the remaining text, the line loop until
// the rest is blank, then the deletion of every ";" CR LF.
std::string ReferenceStripComments(std::string_view source);

// GETVISIBLEIVARS after STRIPCOMMENTS, given its result: the declaration lines' text from
// their first blank on, commas made line breaks, each item cut before " AS ", " IS " and
// ":=" until the rest is blank, empty names left out. The scanner deliberately differs on
// brackets, braces, parentheses, quotes and DIM, so compare only text without them.
IvarList ReferenceIvars(std::string_view stripped);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_TESTING_SCANNER_REFERENCE_H_
