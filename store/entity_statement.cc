#include "store/entity_statement.h"

#include <optional>
#include <vector>

#include "platform/text.h"
#include "store/entity_keywords.h"
#include "store/source_words.h"

namespace ivarscan {
namespace {

// The first line of `text` without its line end; `text` moves past it.
std::string_view TakeLine(std::string_view* text) {
  std::size_t newline = text->find('\n');
  std::string_view line = text->substr(0, newline);
  text->remove_prefix(newline == std::string_view::npos ? text->size() : newline + 1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

std::string_view CutLine(std::string_view line) {
  line = line.substr(0, line.find("//"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

// The index of the entity keyword among `words`, after any modifier words; nullopt when
// the words do not start an entity.
std::optional<std::size_t> KeywordIndex(const std::vector<std::string_view>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (FindEntityKeyword(words[i])) return i;
    if (!IsModifierWord(words[i])) return std::nullopt;
  }
  return std::nullopt;
}

bool IsRoutineKeyword(std::string_view word) {
  std::optional<EntityKeyword> keyword = FindEntityKeyword(word);
  return keyword == EntityKeyword::kFunction || keyword == EntityKeyword::kFunc ||
         keyword == EntityKeyword::kProcedure || keyword == EntityKeyword::kProc;
}

}  // namespace

std::string EntityStatement(std::string_view entity_text) {
  std::string statement(CutLine(TakeLine(&entity_text)));
  while (statement.ends_with(';')) {
    statement.back() = ' ';
    if (entity_text.empty()) break;
    statement.append(CutLine(TakeLine(&entity_text)));
  }
  return statement;
}

// Every entity of every module passes here, so the words are read only as far as the
// name.
std::string_view EntityDisplayName(std::string_view statement) {
  WordReader words(statement);
  std::optional<EntityKeyword> keyword;
  while (!keyword) {
    const std::string_view word = words.Next();
    if (word.empty()) return {};
    keyword = FindEntityKeyword(word);
    if (!keyword && !IsModifierWord(word)) return {};
  }
  std::string_view name = words.Next();
  if (*keyword == EntityKeyword::kDll && IsRoutineKeyword(name)) name = words.Next();
  return name;
}

std::string ClassPrototype(std::string_view statement) {
  const std::vector<std::string_view> words = SplitWords(statement);
  std::string prototype = "CLASS";
  std::optional<std::size_t> keyword = KeywordIndex(words);
  if (!keyword || *keyword + 1 >= words.size()) return prototype;
  prototype.append(" ").append(words[*keyword + 1]);
  for (std::size_t i = *keyword + 2; i < words.size(); ++i) {
    if (!EqualsIgnoringCase(words[i], "INHERIT")) continue;
    prototype.append(" ").append(words[i]);
    if (i + 1 < words.size()) prototype.append(" ").append(words[i + 1]);
    break;
  }
  return prototype;
}

}  // namespace ivarscan
