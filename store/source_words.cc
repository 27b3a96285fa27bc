#include "store/source_words.h"

namespace ivarscan {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string_view WordReader::Next() {
  std::size_t start = 0;
  while (start < rest_.size() && IsSeparator(rest_[start])) ++start;
  if (start == rest_.size()) {
    rest_ = {};
    return {};
  }
  std::size_t end = start + 1;
  while (end < rest_.size() && !IsSeparator(rest_[end]) && rest_[end] != '(') ++end;
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
