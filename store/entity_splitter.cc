#include "store/entity_splitter.h"

#include <array>
#include <optional>

namespace ivarscan {
namespace {

// The characters at which the comment state of a line can change: quotes and '/'.
constexpr std::array<bool, 256> MakeMarks() {
  std::array<bool, 256> marks{};
  marks['"'] = marks['\''] = marks['/'] = true;
  return marks;
}

constexpr std::array<bool, 256> kMarks = MakeMarks();

}  // namespace

bool BlockCommentOpenAfter(std::string_view line, bool open_at_start) {
  // Every line of every module passes here, so the search jumps from mark to mark.
  bool in_comment = open_at_start;
  std::size_t i = 0;
  while (i < line.size()) {
    if (in_comment) {
      const std::size_t close = line.find("*/", i);
      if (close == std::string_view::npos) return true;
      in_comment = false;
      i = close + 2;
      continue;
    }
    while (i < line.size() && !kMarks[static_cast<unsigned char>(line[i])]) ++i;
    if (i == line.size()) break;
    if (line[i] != '/') {
      // Quoted text runs to its closing mark; left open, it hides the rest of the line.
      const std::size_t close = line.find(line[i], i + 1);
      if (close == std::string_view::npos) return false;
      i = close + 1;
    } else if (i + 1 < line.size() && line[i + 1] == '/') {
      return false;
    } else if (i + 1 < line.size() && line[i + 1] == '*') {
      in_comment = true;
      i += 2;
    } else {
      ++i;
    }
  }
  return in_comment;
}

std::vector<EntitySpan> SplitEntities(std::string_view text, std::size_t* bare_line_feeds) {
  std::vector<EntitySpan> spans;
  bool in_comment = false;
  std::size_t bare = 0;
  std::size_t pos = 0;
  // A line without '/' can neither open nor close a block comment, and most lines have
  // none: the next '/' at or after `pos` tells which lines need looking at.
  std::size_t next_slash = text.find('/');
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view line = text.substr(pos, next - pos);
    if (line.ends_with('\n')) {
      line.remove_suffix(1);
      if (line.ends_with('\r')) {
        line.remove_suffix(1);
      } else {
        ++bare;
      }
    } else if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (!in_comment) {
      if (std::optional<EntityKeyword> keyword = StartLineKeyword(line)) {
        if (!spans.empty()) spans.back().end = pos;
        spans.push_back({pos, text.size(), *keyword});
      }
    }
    if (next_slash < pos) next_slash = text.find('/', pos);
    if (next_slash < pos + line.size()) in_comment = BlockCommentOpenAfter(line, in_comment);
    pos = next;
  }
  if (bare_line_feeds != nullptr) *bare_line_feeds = bare;
  return spans;
}

}  // namespace ivarscan
