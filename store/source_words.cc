#include "store/source_words.h"

#include <array>
#include <cstdint>

namespace ivarscan {
namespace {

// What a character is to a word: 0 part of it, 1 a separator (blank, tab), 2 '(', which
// ends a word and begins the next. The first word of every line of every module is read,
// so one look-up per character replaces the comparisons.
enum : std::uint8_t { kWordPart, kSeparator, kOpenParenthesis };

constexpr std::array<std::uint8_t, 256> MakeClasses() {
  std::array<std::uint8_t, 256> classes{};
  classes[' '] = classes['\t'] = kSeparator;
  classes['('] = kOpenParenthesis;
  return classes;
}

constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();

std::uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

}  // namespace

std::string_view WordReader::Next() {
  std::size_t start = 0;
  while (start < rest_.size() && ClassOf(rest_[start]) == kSeparator) ++start;
  if (start == rest_.size()) {
    rest_ = {};
    return {};
  }
  std::size_t end = start + 1;
  while (end < rest_.size() && ClassOf(rest_[end]) == kWordPart) ++end;
  std::string_view word = rest_.substr(start, end - start);
  rest_.remove_prefix(end);
  return word;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  WordReader reader(line);
  for (std::string_view word = reader.Next(); !word.empty(); word = reader.Next()) {
    words.push_back(word);
  }
  return words;
}

}  // namespace ivarscan
