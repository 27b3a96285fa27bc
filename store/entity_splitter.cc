#include "store/entity_splitter.h"

#include <optional>

namespace ivarscan {

bool BlockCommentOpenAfter(std::string_view line, bool open_at_start) {
  bool in_comment = open_at_start;
  char quote = 0;  // the closing mark of the quoted text we are in, or 0
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (in_comment) {
      if (c == '*' && next == '/') {
        in_comment = false;
        ++i;
      }
    } else if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '/' && next == '/') {
      return false;
    } else if (c == '/' && next == '*') {
      in_comment = true;
      ++i;
    }
  }
  return in_comment;
}

std::vector<EntitySpan> SplitEntities(std::string_view text) {
  std::vector<EntitySpan> spans;
  bool in_comment = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view line = text.substr(pos, next - pos);
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!in_comment) {
      if (std::optional<EntityKeyword> keyword = StartLineKeyword(line)) {
        if (!spans.empty()) spans.back().end = pos;
        spans.push_back({pos, text.size(), *keyword});
      }
    }
    in_comment = BlockCommentOpenAfter(line, in_comment);
    pos = next;
  }
  return spans;
}

}  // namespace ivarscan
