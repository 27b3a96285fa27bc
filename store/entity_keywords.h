// The words that make a line of module source an entity-start line, and the codes that
// each kind of entity gets from the repository folder layer.
#ifndef IVARSCAN_STORE_ENTITY_KEYWORDS_H_
#define IVARSCAN_STORE_ENTITY_KEYWORDS_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace ivarscan {

// The entity keywords, in the order docs/repository-folder.md lists them.
enum class EntityKeyword : std::uint8_t {
  kClass,
  kMethod,
  kAccess,
  kAssign,
  kConstructor,
  kDestructor,
  kProperty,
  kEvent,
  kOperator,
  kFunction,
  kFunc,
  kProcedure,
  kProc,
  kGlobal,
  kDefine,
  kTextblock,
  kResource,
  kStructure,
  kStruct,
  kVostruct,
  kUnion,
  kDll,
  kDelegate,
  kInterface,
  kEnum,
};

// The keyword that `word` spells, ignoring letter case; nullopt for any other word.
std::optional<EntityKeyword> FindEntityKeyword(std::string_view word);

// True for the modifier words that may stand before an entity keyword (STATIC, PUBLIC,
// PARTIAL, ...), ignoring letter case.
bool IsModifierWord(std::string_view word);

// If `line` is an entity-start line (its first word, or its first word after any number of
// modifier words, is an entity keyword), that keyword. Block comments are not looked at.
std::optional<EntityKeyword> StartLineKeyword(std::string_view line);

// The type and block type that an entity of this keyword has. Only CLASS has the pair
// (3, 23); every type is 1, 3 or 4, so that the entity's source text is always fetched.
struct EntityCodes {
  std::int16_t type;
  std::int16_t block_type;
};
EntityCodes CodesOf(EntityKeyword keyword);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_ENTITY_KEYWORDS_H_
