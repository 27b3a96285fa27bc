// The class source scanner: turns the source text of one class entity into the names of
// the instance variables that the class declares with EXPORT, PROTECT or INSTANCE.
//
// It is a text scanner, not a parser. It knows line comments ("//"), block comments
// ("/*" to "*/"), quoted text, continuation lines (a line ending in ";"), comma-separated
// declaration lists, type clauses (" AS ", " IS "), initial values (":=") and dimensions
// ("["). Lines end in CR LF; a lone CR or LF does not end a line. Text is single-byte and
// only the ASCII letters are case-folded. Every function is pure, never fails and takes
// time linear in the size of its input: malformed source yields odd names, not errors.
#ifndef IVARSCAN_ENGINE_SCANNER_H_
#define IVARSCAN_ENGINE_SCANNER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ivarscan {

// Instance-variable names in the order of their declarations, as written (case kept,
// blanks around them removed); a name declared twice appears twice.
using IvarList = std::vector<std::string>;

// The instance variables that `class_source` declares on its EXPORT, PROTECT and
// INSTANCE lines (any line whose first four characters, upper-cased, occur in
// "EXPO|PROT|INST"), after comments are removed and continuation lines joined. Each item
// of a declaration list gives one name: the item cut before " AS ", " IS ", ":=" and
// "[", without a leading DIM. Commas split items only outside brackets and quoted text.
// A declaration line without a blank (a keyword alone) gives no name, and neither does an
// item that leaves an empty name or a blank item (say, a lone CR) that only blank items
// follow in the whole source.
//
// When `name_lines` is given it receives, for each name of the result, the 0-based line of
// `class_source` on which the name starts (lines end in CR LF; comments and continuation
// lines count as written).
IvarList GETVISIBLEIVARS(std::string_view class_source,
                         std::vector<std::size_t>* name_lines = nullptr);

// The index of the first comma in `text` that separates declaration items, or npos. A
// comma inside (), {} or [], or inside quoted text, belongs to its item, so initial values
// and dimensions such as {1, 2} or [10, 20] stay whole; quoted text ends at its closing
// mark, and the text is one declaration line.
std::size_t FindItemSeparator(std::string_view text);

// `source` without block and line comments, its continuation lines joined, every line
// ending in CR LF and without trailing blanks and tabs. A removed block comment leaves
// nothing behind; an unterminated one runs to the end. Trailing blank lines are dropped.
std::string STRIPCOMMENTS(std::string_view source);

// The 1-based position of the first "/*" (find_start true) or "*/" (false) in `text`
// that is not inside quoted text, or 0. Quoted text opens at a double quote, an
// apostrophe or "[" and closes at the matching mark ("]" for "[") or at the next CR; an
// opening mark that nothing closes counts as an ordinary character.
std::size_t MULTILINECOMMENT(std::string_view text, bool find_start);

// `line` (without its CR LF) cut before its first "//", quoted or not, and without its
// trailing blanks and tabs.
std::string CLEANUPLINEEND(std::string_view line);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_SCANNER_H_
