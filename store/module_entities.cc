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
  const std::vector<EntitySpan> spans = SplitEntities(source);
  module->first_entity = static_cast<std::uint32_t>(entities->size());
  module->entity_count = static_cast<std::uint32_t>(spans.size());
  module->texts.reserve(source.size() + source.size() / 16 + spans.size() * 3);
  std::size_t counted = 0;  // the lines before this offset of `source` are in `line`
  std::uint32_t line = 1;
  for (const EntitySpan& span : spans) {
    line += static_cast<std::uint32_t>(
        std::count(source.begin() + counted, source.begin() + span.begin, '\n'));
    counted = span.begin;
    const std::size_t offset = module->texts.size();
    AppendWithCrLf(source.substr(span.begin, span.end - span.begin), &module->texts);
    if (!module->texts.ends_with('\n')) module->texts.append("\r\n");
    const std::string_view text = std::string_view(module->texts).substr(offset);
    const std::string statement = EntityStatement(text);
    const std::string_view display_name = EntityDisplayName(statement);
    entities->push_back({module_index, offset, text.size(), line, span.keyword,
                         std::string(display_name)});
    module->texts.push_back('\0');
  }
}

}  // namespace ivarscan
