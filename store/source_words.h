// Words of a line of module source as the repository folder reads them: words are
// separated by blanks and tabs, and a word also ends before `(` (which then begins the
// next word). Everything else, quotes included, is part of a word.
#ifndef IVARSCAN_STORE_SOURCE_WORDS_H_
#define IVARSCAN_STORE_SOURCE_WORDS_H_

#include <string_view>
#include <vector>

namespace ivarscan {

// Reads the words of one line (without its line end), front to back.
class WordReader {
 public:
  explicit WordReader(std::string_view line) : rest_(line) {}

  // The next word, a view into the line; empty after the last word.
  std::string_view Next();

 private:
  std::string_view rest_;
};

// All words of `line`, in order.
std::vector<std::string_view> SplitWords(std::string_view line);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_SOURCE_WORDS_H_
