// Cutting a module's text into entities. An entity runs from an entity-start line up to
// the line before the next start line, or to the end of the text; lines before the first
// start line belong to no entity. A line that starts inside a block comment (`/*` up to
// the next `*/`) is never a start line; a `/*` inside a double- or apostrophe-quoted text
// of its line, or after a `//` on its line, opens no comment.
//
// A pure function over the text, so it can be tested and fuzzed on its own. Lines end at
// LF (a CR before the LF is not part of the line; a lone CR is an ordinary byte).
#ifndef IVARSCAN_STORE_ENTITY_SPLITTER_H_
#define IVARSCAN_STORE_ENTITY_SPLITTER_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "store/entity_keywords.h"

namespace ivarscan {

struct EntitySpan {
  std::size_t begin = 0;  // offset of the entity's start line in the text
  std::size_t end = 0;    // offset just past its last line (its line end included)
  EntityKeyword keyword = EntityKeyword::kClass;

  bool operator==(const EntitySpan&) const = default;
};

// The entities of `text`, in text order. Spans do not overlap and each begins at a line
// start; a text without start lines gives none. When `bare_line_feeds` is given it is set
// to the number of lines of the text that end in a LF without a CR before it.
std::vector<EntitySpan> SplitEntities(std::string_view text,
                                      std::size_t* bare_line_feeds = nullptr);

// Whether a block comment is still open at the end of `line`, given whether one was open
// at its start.
bool BlockCommentOpenAfter(std::string_view line, bool open_at_start);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_ENTITY_SPLITTER_H_
