#include "engine/scanner.h"

#include <algorithm>
#include <array>

#include "platform/call_stack.h"
#include "platform/text.h"

namespace ivarscan {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// A table of the characters that matter to a search, so that the others are passed with
// one look-up each: every byte of every class source goes through these loops.
using CharSet = std::array<bool, 256>;

constexpr CharSet MakeCharSet(std::string_view characters) {
  CharSet set{};
  for (char c : characters) set[static_cast<unsigned char>(c)] = true;
  return set;
}

bool In(const CharSet& set, char c) { return set[static_cast<unsigned char>(c)]; }

// What can begin a quote, open or close a bracket, or separate declaration items.
constexpr CharSet kItemMarks = MakeCharSet("\"'({[)}],");

// Searches a text for comment markers while skipping quoted regions. One walker serves
// all the searches of one text, and they move forward only, so it keeps where the next
// marker and the next mark of each kind of quote are: the searches jump between those
// instead of looking at every character, and no stretch of the text is searched twice
// for the same thing. It also remembers, per closing mark, from where on nothing closes a
// quote any more, so that a text full of unclosed quotes and without line ends is not
// re-read to its end for every opening mark.
class MarkerWalk {
 public:
  explicit MarkerWalk(std::string_view text) : text_(text) {
    unclosed_from_.fill(kNone);
    for (std::size_t k = 0; k < kOpenings.size(); ++k) next_opening_[k] = text_.find(kOpenings[k]);
    next_marker_ = {text_.find("/*"), text_.find("*/")};
  }

  // The 0-based index of the first "/*" (find_start) or "*/" at or after `from` that is
  // not inside quoted text, or kNone. `from` is no smaller than in the search before.
  std::size_t Find(std::size_t from, bool find_start) {
    std::size_t& marker = next_marker_[find_start ? 0 : 1];
    for (std::size_t i = from;;) {
      if (marker < i) marker = text_.find(find_start ? "/*" : "*/", i);
      const std::size_t quote = NextOpening(i, marker);
      if (quote == kNone) return marker;
      const char opening = text_[quote];
      const std::size_t close = QuoteEnd(quote + 1, opening == '[' ? ']' : opening);
      i = close == kNone ? quote + 1 : close + 1;
    }
  }

 private:
  static constexpr std::array<char, 3> kOpenings = {'"', '\'', '['};

  // The first opening mark at or after `from` and before `limit`, or kNone.
  std::size_t NextOpening(std::size_t from, std::size_t limit) {
    std::size_t first = kNone;
    for (std::size_t k = 0; k < kOpenings.size(); ++k) {
      if (next_opening_[k] < from) next_opening_[k] = text_.find(kOpenings[k], from);
      if (next_opening_[k] < limit) first = std::min(first, next_opening_[k]);
    }
    return first;
  }

  // The index of the first `closing` mark or CR at or after `start`, or kNone.
  std::size_t QuoteEnd(std::size_t start, char closing) {
    std::size_t& unclosed = unclosed_from_[closing == '"' ? 0 : closing == '\'' ? 1 : 2];
    if (start >= unclosed) return kNone;
    for (std::size_t j = start; j < text_.size(); ++j) {
      if (text_[j] == closing || text_[j] == '\r') return j;
    }
    unclosed = start;
    return kNone;
  }

  std::string_view text_;
  std::array<std::size_t, 3> unclosed_from_;
  std::array<std::size_t, 3> next_opening_;  // at or after the last search's position
  std::array<std::size_t, 2> next_marker_;   // of "/*" and of "*/", likewise
};

// The pieces of a derived text, in order: piece i starts at offset `to` of that text and
// carries a value. Offsets are looked up in ascending order, so one forward walk over the
// pieces serves all the names of a class.
class PieceMap {
 public:
  void Add(std::size_t to, std::size_t value) { pieces_.push_back({to, value}); }
  void Reserve(std::size_t count) { pieces_.reserve(count); }

  // The index of the last piece that starts at or before `to`, which must be no smaller
  // than the offset asked before and lie at or after the first piece's start.
  std::size_t Find(std::size_t to) {
    while (next_ < pieces_.size() && pieces_[next_].to <= to) ++next_;
    return next_ - 1;
  }
  std::size_t start(std::size_t piece) const { return pieces_[piece].to; }
  std::size_t value(std::size_t piece) const { return pieces_[piece].value; }

 private:
  struct Piece {
    std::size_t to;
    std::size_t value;
  };
  std::vector<Piece> pieces_;
  std::size_t next_ = 0;
};

// The line ends (CR LF) in `text`.
std::size_t CountLineEnds(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t lf = text.find('\n'); lf != kNone; lf = text.find('\n', lf + 1)) {
    if (lf > 0 && text[lf - 1] == '\r') ++count;
  }
  return count;
}

// The text with its block comments removed: what the repeated marker search over the
// remaining text gives, done in one forward walk.
//
// When `line_shifts` is given, it gets a piece for each kept stretch of `text` whose value
// is how many more line ends `text` has before the stretch than the result has. A removed
// comment takes its line ends with it, and one between a CR and an LF makes a line end.
std::string RemoveBlockComments(std::string_view text, PieceMap* line_shifts) {
  std::string out;
  out.reserve(text.size());
  MarkerWalk walk(text);
  std::size_t pos = 0;
  std::size_t shift = 0;
  while (pos < text.size()) {
    if (line_shifts) line_shifts->Add(out.size(), shift);
    const std::size_t start = walk.Find(pos, true);
    if (start == kNone) {
      out.append(text.substr(pos));
      break;
    }
    out.append(text.substr(pos, start - pos));
    const std::size_t end = walk.Find(start + 2, false);
    pos = end == kNone ? text.size() : end + 2;
    if (line_shifts) {
      // A comment starts and ends with "/", so no line end straddles its edges.
      shift += CountLineEnds(text.substr(start, pos - start));
      if (out.ends_with('\r') && pos < text.size() && text[pos] == '\n') --shift;
    }
  }
  return out;
}

std::string_view CleanLineEnd(std::string_view line) {
  line = line.substr(0, line.find("//"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

// Calls visit(line) for each CR LF separated line of `text`, stopping as soon as the rest
// of the text is blank.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t end = text.size();  // the rest is blank once it starts at or after `end`
  while (end > 0 && IsBlankChar(text[end - 1])) --end;
  std::size_t pos = 0;
  while (pos < end) {
    const std::size_t line_end = text.find("\r\n", pos);
    if (line_end == kNone) {
      visit(text.substr(pos));
      return;
    }
    visit(text.substr(pos, line_end - pos));
    pos = line_end + 2;
  }
}

// True when the first four characters of `line` (all of them if it is shorter),
// upper-cased, occur in "EXPO|PROT|INST".
bool IsDeclarationLine(std::string_view line) {
  std::string_view prefix = line.substr(0, 4);
  if (prefix.empty()) return false;
  char upper[4];
  for (std::size_t i = 0; i < prefix.size(); ++i) upper[i] = UpperAscii(prefix[i]);
  return std::string_view("EXPO|PROT|INST").find(std::string_view(upper, prefix.size())) != kNone;
}

// Calls visit(item) for each comma-separated item of one declaration line.
template <typename Visit>
void ForEachItem(std::string_view declaration, Visit visit) {
  for (std::size_t comma; (comma = FindItemSeparator(declaration)) != kNone;) {
    visit(declaration.substr(0, comma));
    declaration.remove_prefix(comma + 1);
  }
  visit(declaration);
}

// On a declaration line a tab counts as a blank.
bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutLeadingBlanks(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlankOrTab(text[start])) ++start;
  return text.substr(start);
}

std::size_t FindBlank(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsBlankOrTab(text[i])) return i;
  }
  return kNone;
}

// Where the name of a declaration item ends: at the first " AS " or " IS " (either
// letters in any case), ":=" or "[", or at the end. Cutting the item at each of these in
// turn ends it at the first of them, since none can straddle another's cut.
std::size_t NameEnd(std::string_view item) {
  for (std::size_t i = 0; i < item.size(); ++i) {
    const char c = item[i];
    if (c == '[') return i;
    if (c == ':' && i + 1 < item.size() && item[i + 1] == '=') return i;
    if (IsBlankOrTab(c) && i + 3 < item.size() && IsBlankOrTab(item[i + 3]) &&
        UpperAscii(item[i + 2]) == 'S') {
      const char first = UpperAscii(item[i + 1]);
      if (first == 'A' || first == 'I') return i;
    }
  }
  return item.size();
}

// The name that one declaration item declares, as it stands in the item: a tab in it
// still has to become a blank.
std::string_view NameOfItem(std::string_view item) {
  item = TrimBlanksAndTabs(item.substr(0, NameEnd(item)));
  if (item.size() > 3 && EqualsIgnoringCase(item.substr(0, 3), "DIM") && IsBlankOrTab(item[3])) {
    item = TrimBlanksAndTabs(item.substr(4));
  }
  return item;
}

}  // namespace

std::size_t FindItemSeparator(std::string_view text) {
  std::size_t depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!In(kItemMarks, c)) continue;
    if (c == '"' || c == '\'') {
      i = text.find(c, i + 1);  // quoted text runs to its closing mark
      if (i == kNone) return kNone;
    } else if (c == '(' || c == '{' || c == '[') {
      ++depth;
    } else if ((c == ')' || c == '}' || c == ']') && depth > 0) {
      --depth;
    } else if (c == ',' && depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::size_t MULTILINECOMMENT(std::string_view text, bool find_start) {
  IVARSCAN_ROUTINE("MULTILINECOMMENT");
  const std::size_t at = MarkerWalk(text).Find(0, find_start);
  return at == kNone ? 0 : at + 1;
}

std::string CLEANUPLINEEND(std::string_view line) {
  IVARSCAN_ROUTINE("CLEANUPLINEEND");
  return std::string(CleanLineEnd(line));
}

namespace {

// STRIPCOMMENTS. When the maps are given, `line_shifts` gets RemoveBlockComments' pieces,
// and `lines` a piece for each line of the text without block comments (the piece's index
// is the line's) whose value is the line's offset in that text.
std::string StripComments(std::string_view source, PieceMap* line_shifts, PieceMap* lines) {
  const std::string uncommented = RemoveBlockComments(source, line_shifts);
  std::string out;
  out.reserve(uncommented.size() + 2);
  // Class sources average well over 32 bytes a line: one allocation is nearly always enough.
  if (lines) lines->Reserve(uncommented.size() / 32 + 4);
  ForEachLine(uncommented, [&](std::string_view line) {
    if (lines) lines->Add(out.size(), line.data() - uncommented.data());
    line = CleanLineEnd(line);
    // A cleaned line ending in ";" continues on the next: the ";" and the CR LF go.
    if (!line.empty() && line.back() == ';') {
      out.append(line.substr(0, line.size() - 1));
    } else {
      out.append(line);
      out.append("\r\n");
    }
  });
  return out;
}

}  // namespace

std::string STRIPCOMMENTS(std::string_view source) {
  IVARSCAN_ROUTINE("STRIPCOMMENTS");
  return StripComments(source, nullptr, nullptr);
}

IvarList GETVISIBLEIVARS(std::string_view class_source, std::vector<std::size_t>* name_lines) {
  IVARSCAN_ROUTINE("GETVISIBLEIVARS");
  PieceMap line_shifts;
  PieceMap lines;
  const bool trace = name_lines != nullptr;
  const std::string text =
      StripComments(class_source, trace ? &line_shifts : nullptr, trace ? &lines : nullptr);
  // The source line of an offset of the result: the line of the text without block
  // comments that it came from, plus the line ends the comments before it took away.
  const auto source_line = [&](std::size_t in_text) {
    const std::size_t line = lines.Find(in_text);
    const std::size_t uncommented = lines.value(line) + (in_text - lines.start(line));
    return line + line_shifts.value(line_shifts.Find(uncommented));
  };
  if (trace) name_lines->clear();
  IvarList ivars;
  // Items are read until the rest of the declarations is blank, so blank items after the
  // last item with text in it (such as a lone CR or LF) list nothing: `listed` is the
  // length of the list up to that item.
  std::size_t listed = 0;
  ForEachLine(text, [&](std::string_view line) {
    // Tabs count as blanks on a declaration line.
    const std::string_view declaration = WithoutLeadingBlanks(line);
    if (!IsDeclarationLine(declaration)) return;
    // The keyword goes: the items start at the first blank. Without one there are none.
    const std::size_t blank = FindBlank(declaration);
    if (blank == kNone) return;
    // An item that leaves no name (as in "EXPORT a, , b") declares nothing: listing it
    // would compare and report an empty name.
    ForEachItem(declaration.substr(blank), [&](std::string_view item) {
      const std::string_view name = NameOfItem(item);
      if (!name.empty()) {
        std::string& listed_name = ivars.emplace_back(name);
        std::replace(listed_name.begin(), listed_name.end(), '\t', ' ');
        if (trace) name_lines->push_back(source_line(name.data() - text.data()));
      }
      if (!IsBlank(item)) listed = ivars.size();
    });
  });
  ivars.resize(listed);
  if (trace) name_lines->resize(listed);
  return ivars;
}

}  // namespace ivarscan
