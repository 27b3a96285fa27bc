#include "store/module_entities.h"

#include <algorithm>
#include <string>

#include "store/entity_splitter.h"
#include "store/entity_statement.h"

namespace ivarscan {

void AppendWithCrLf(std::string_view text, std::string* out) {
  std::size_t pos = 0;
  for (std::size_t newline = text.find('\n'); newline != std::string_view::npos;
       newline = text.find('\n', newline + 1)) {
    if (newline > 0 && text[newline - 1] == '\r') continue;
    out->append(text.substr(pos, newline - pos)).append("\r\n");
    pos = newline + 1;
  }
  out->append(text.substr(pos));
}

void AddModuleEntities(std::string_view source, std::uint32_t module_index, LoadedModule* module,
                       std::vector<LoadedEntity>* entities) {
  std::size_t bare_line_feeds = 0;
  const std::vector<EntitySpan> spans = SplitEntities(source, &bare_line_feeds);
  module->first_entity = static_cast<std::uint32_t>(entities->size());
  module->entity_count = static_cast<std::uint32_t>(spans.size());
  // Each bare LF gains a CR, each text at most a CR LF at its end and a zero after it.
  module->texts.reserve(module->texts.size() + source.size() + bare_line_feeds + spans.size() * 3);
  std::size_t counted = 0;  // the lines before this offset of `source` are in `line`
  std::uint32_t line = 1;
  for (const EntitySpan& span : spans) {
    line += static_cast<std::uint32_t>(
        std::count(source.begin() + counted, source.begin() + span.begin, '\n'));
    counted = span.begin;
    const std::size_t offset = module->texts.size();
    const std::string_view text_as_read = source.substr(span.begin, span.end - span.begin);
    if (bare_line_feeds != 0) {
      AppendWithCrLf(text_as_read, &module->texts);
    } else {
      module->texts.append(text_as_read);  // every line already ends in CR LF
    }
    if (!module->texts.ends_with('\n')) module->texts.append("\r\n");
    const std::string_view text = std::string_view(module->texts).substr(offset);
    const std::string statement = EntityStatement(text);
    const std::string_view display_name = EntityDisplayName(statement);
    entities->push_back(
        {module_index, offset, text.size(), line, span.keyword, std::string(display_name)});
    module->texts.push_back('\0');
  }
}

}  // namespace ivarscan
