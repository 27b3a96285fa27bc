// The runtime's symbol table: interned names that the repository hands out as 32-bit
// symbols. The repository layer interns an entity's name and display name, and readers
// turn the symbol back into text with SysGetAtomName.
#ifndef IVARSCAN_PLATFORM_SYMBOL_TABLE_H_
#define IVARSCAN_PLATFORM_SYMBOL_TABLE_H_

#include <cstdint>
#include <string_view>

namespace ivarscan {

using Symbol = std::uint32_t;  // 0 is the empty symbol

// Returns the symbol of `name`, adding it on first use. Symbols compare case-sensitively;
// the empty text is symbol 0.
Symbol SysAtom(std::string_view name);

// Returns the zero-terminated text of `symbol`, valid for the life of the process; the
// empty text for 0 and for a symbol the table never gave out.
const char* SysGetAtomName(Symbol symbol);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_SYMBOL_TABLE_H_
