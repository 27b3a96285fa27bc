// The scanner's comment removal and declaration reading done exactly as the rules read,
// one step at a time: slow (the marker search re-reads the remaining text) but plainly
// faithful. Tests and the scanner's fuzz target compare the scanner with it; it is not
// part of the program.
#ifndef IVARSCAN_ENGINE_SCANNER_AS_STATED_H_
#define IVARSCAN_ENGINE_SCANNER_AS_STATED_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/scanner.h"

namespace ivarscan {

// MULTILINECOMMENT: walk the 1-based positions, skip quoted regions that close on their
// line, return the position of the first marker or 0.
std::size_t MarkerAsStated(std::string_view text, bool find_start);

// CLEANUPLINEEND: cut before the first "//", then drop trailing blanks and tabs.
std::string CleanupAsStated(std::string_view line);

// STRIPCOMMENTS: repeated marker searches over the remaining text, the line loop until
// the rest is blank, then the deletion of every ";" CR LF.
std::string StripCommentsAsStated(std::string_view source);

// GETVISIBLEIVARS after STRIPCOMMENTS, given its result: the declaration lines' text from
// their first blank on, commas made line breaks, each item cut before " AS ", " IS " and
// ":=" until the rest is blank, empty names left out. The scanner deliberately differs on
// brackets, braces, parentheses, quotes and DIM, so compare only text without them.
IvarList IvarsAsStated(std::string_view stripped);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_SCANNER_AS_STATED_H_
