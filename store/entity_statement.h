// What the repository folder layer reads from an entity's start line: the statement it
// opens, the entity's display name and its prototype line.
#ifndef IVARSCAN_STORE_ENTITY_STATEMENT_H_
#define IVARSCAN_STORE_ENTITY_STATEMENT_H_

#include <string>
#include <string_view>

namespace ivarscan {

// The statement that `entity_text` (an entity's text, from its start line on) begins
// with: the start line with anything from `//` on removed and then its trailing blanks and
// tabs; while it ends in `;`, that `;` is replaced by one blank and the next line, cut the
// same way, is appended. Continuation stops at the end of the entity's text (a last `;`
// still becomes a blank).
std::string EntityStatement(std::string_view entity_text);

// The display name in `statement`: the word after the entity keyword (for `_DLL`, after a
// FUNCTION, FUNC, PROCEDURE or PROC word that follows it), as written; empty when there is
// none or the statement starts with no entity keyword.
std::string_view EntityDisplayName(std::string_view statement);

// The prototype of a class entity: `CLASS` and the class name, then, when the statement has
// the word INHERIT after the name, that word and the word after it (when there is one),
// joined by single blanks. For `PARTIAL CLASS Foo INHERIT Bar IMPLEMENTS IBaz` it is
// `CLASS Foo INHERIT Bar`.
std::string ClassPrototype(std::string_view statement);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_ENTITY_STATEMENT_H_
