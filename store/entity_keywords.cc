#include "store/entity_keywords.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "platform/text.h"
#include "store/source_words.h"

namespace ivarscan {
namespace {

struct KeywordInfo {
  std::string_view word;
  EntityCodes codes;
};

// Indexed by EntityKeyword. Type 3 marks declarations, 4 members of a class, 1 code and
// data outside classes; the block type tells the keywords apart (23 is CLASS's alone).
constexpr std::array<KeywordInfo, 25> kKeywords = {{
    {"CLASS", {3, 23}},      {"METHOD", {4, 1}},     {"ACCESS", {4, 2}},    {"ASSIGN", {4, 3}},
    {"CONSTRUCTOR", {4, 4}}, {"DESTRUCTOR", {4, 5}}, {"PROPERTY", {4, 6}},  {"EVENT", {4, 7}},
    {"OPERATOR", {4, 8}},    {"FUNCTION", {1, 9}},   {"FUNC", {1, 9}},      {"PROCEDURE", {1, 10}},
    {"PROC", {1, 10}},       {"GLOBAL", {1, 11}},    {"DEFINE", {1, 12}},   {"TEXTBLOCK", {1, 13}},
    {"RESOURCE", {1, 14}},   {"STRUCTURE", {3, 15}}, {"STRUCT", {3, 15}},   {"VOSTRUCT", {3, 16}},
    {"UNION", {3, 17}},      {"_DLL", {1, 18}},      {"DELEGATE", {3, 19}}, {"INTERFACE", {3, 20}},
    {"ENUM", {3, 21}},
}};

constexpr std::array<std::string_view, 14> kModifiers = {
    "STATIC", "PUBLIC",   "PRIVATE", "PROTECTED", "INTERNAL", "VIRTUAL", "OVERRIDE",
    "SEALED", "ABSTRACT", "NEW",     "PARTIAL",   "ASYNC",    "EXTERN",  "UNSAFE",
};

// The longest keyword or modifier; longer words are neither, whatever their letters.
constexpr std::size_t kLongestWord = 11;

}  // namespace

std::optional<EntityKeyword> FindEntityKeyword(std::string_view word) {
  if (word.size() > kLongestWord) return std::nullopt;
  for (std::size_t i = 0; i < kKeywords.size(); ++i) {
    if (EqualsIgnoringCase(word, kKeywords[i].word)) return static_cast<EntityKeyword>(i);
  }
  return std::nullopt;
}

bool IsModifierWord(std::string_view word) {
  if (word.size() > kLongestWord) return false;
  return std::any_of(
      std::begin(kModifiers), std::end(kModifiers),
      [word](std::string_view modifier) { return EqualsIgnoringCase(word, modifier); });
}

std::optional<EntityKeyword> StartLineKeyword(std::string_view line) {
  WordReader words(line);
  for (std::string_view word = words.Next(); !word.empty(); word = words.Next()) {
    if (std::optional<EntityKeyword> keyword = FindEntityKeyword(word)) return keyword;
    if (!IsModifierWord(word)) return std::nullopt;
  }
  return std::nullopt;
}

EntityCodes CodesOf(EntityKeyword keyword) {
  return kKeywords[static_cast<std::size_t>(keyword)].codes;
}

}  // namespace ivarscan
