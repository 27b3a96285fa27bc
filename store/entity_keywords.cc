#include "store/entity_keywords.h"

#include <array>
#include <bit>
#include <cstdint>

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

// The keywords and then the modifiers, numbered together.
constexpr std::size_t kWordCount = kKeywords.size() + kModifiers.size();
static_assert(kWordCount <= 64, "a bucket is a 64-bit mask over the words");

constexpr std::string_view WordAt(std::size_t i) {
  return i < kKeywords.size() ? kKeywords[i].word : kModifiers[i - kKeywords.size()];
}

// 0 to 25 for a letter of either case, 26 for '_', -1 for anything else: every keyword and
// modifier begins with a letter or '_'.
constexpr int FirstLetterIndex(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  return c == '_' ? 26 : -1;
}

// The words of each first letter and length, as a mask over the word numbers. Every line
// of every module has its first word looked up, so a word is compared only with the one
// or two words that have its first letter and length, most words with none.
struct Buckets {
  std::uint64_t words[27][kLongestWord + 1] = {};
};

constexpr Buckets MakeBuckets() {
  Buckets buckets;
  for (std::size_t i = 0; i < kWordCount; ++i) {
    const std::string_view word = WordAt(i);
    buckets.words[FirstLetterIndex(word[0])][word.size()] |= std::uint64_t{1} << i;
  }
  return buckets;
}

constexpr Buckets kBuckets = MakeBuckets();

// The number of the keyword or modifier that `word` spells ignoring case; kWordCount for
// any other word.
std::size_t FindWord(std::string_view word) {
  if (word.empty() || word.size() > kLongestWord) return kWordCount;
  const int letter = FirstLetterIndex(word[0]);
  if (letter < 0) return kWordCount;
  for (std::uint64_t candidates = kBuckets.words[letter][word.size()]; candidates != 0;
       candidates &= candidates - 1) {
    const auto i = static_cast<std::size_t>(std::countr_zero(candidates));
    if (EqualsIgnoringCase(word, WordAt(i))) return i;
  }
  return kWordCount;
}

}  // namespace

std::optional<EntityKeyword> FindEntityKeyword(std::string_view word) {
  const std::size_t i = FindWord(word);
  if (i >= kKeywords.size()) return std::nullopt;
  return static_cast<EntityKeyword>(i);
}

bool IsModifierWord(std::string_view word) {
  const std::size_t i = FindWord(word);
  return i >= kKeywords.size() && i < kWordCount;
}

std::optional<EntityKeyword> StartLineKeyword(std::string_view line) {
  WordReader words(line);
  for (std::string_view word = words.Next(); !word.empty(); word = words.Next()) {
    const std::size_t i = FindWord(word);
    if (i < kKeywords.size()) return static_cast<EntityKeyword>(i);
    if (i == kWordCount) return std::nullopt;  // neither keyword nor modifier
  }
  return std::nullopt;
}

EntityCodes CodesOf(EntityKeyword keyword) {
  return kKeywords[static_cast<std::size_t>(keyword)].codes;
}

}  // namespace ivarscan
