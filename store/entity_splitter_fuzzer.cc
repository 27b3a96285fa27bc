// Fuzz target for cutting a module file into entities. The input is one module file's
// bytes; the target splits it, loads it as the repository folder does (CR LF line ends,
// display names, class prototypes) and checks what must hold for any text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "store/entity_splitter.h"
#include "store/entity_statement.h"
#include "store/module_entities.h"

namespace ivarscan {
namespace {

std::string_view LineAt(std::string_view text, std::size_t begin) {
  std::string_view line = text.substr(begin, text.find('\n', begin) - begin);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// The spans cover the text from the first start line to the end, back to back, and each
// begins at a line start that is a start line of its keyword.
void CheckSpans(std::string_view text, const std::vector<EntitySpan>& spans) {
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const EntitySpan& span = spans[i];
    FuzzCheck(span.begin < span.end && span.end <= text.size(), "a span lies outside the text");
    FuzzCheck(span.begin == 0 || text[span.begin - 1] == '\n', "a span starts inside a line");
    FuzzCheck(StartLineKeyword(LineAt(text, span.begin)) == span.keyword,
              "a span starts at a line that is no start line of its keyword");
    const std::size_t next = i + 1 < spans.size() ? spans[i + 1].begin : text.size();
    FuzzCheck(span.end == next, "spans leave a gap or overlap");
  }
}

// An entity's text alone is one entity: the comment state at a start line is always
// closed, so nothing before it can change how the rest is cut.
void CheckEntitiesStandAlone(std::string_view text, const std::vector<EntitySpan>& spans) {
  for (const EntitySpan& span : spans) {
    const std::string_view entity = text.substr(span.begin, span.end - span.begin);
    const std::vector<EntitySpan> alone = SplitEntities(entity);
    FuzzCheck(alone.size() == 1 && alone[0] == EntitySpan{0, entity.size(), span.keyword},
              "an entity's text alone is not that one entity");
  }
}

bool IsWord(std::string_view word) {
  return word.find_first_of(" \t") == std::string_view::npos &&
         word.find('(', 1) == std::string_view::npos;
}

// Loading the module: CR LF line ends throughout, zero-terminated texts, one entity per
// span, display names that are single words, class prototypes that name the class.
void CheckLoadedModule(std::string_view text, const std::vector<EntitySpan>& spans) {
  LoadedModule module;
  std::vector<LoadedEntity> entities;
  AddModuleEntities(text, 0, &module, &entities);
  FuzzCheck(module.entity_count == spans.size() && entities.size() == spans.size(),
            "the loaded module has another number of entities");
  std::string converted;
  AppendWithCrLf(text, &converted);
  const std::vector<EntitySpan> converted_spans = SplitEntities(converted);
  FuzzCheck(converted_spans.size() == spans.size(),
            "CR LF line ends give another number of entities");
  for (std::size_t i = 0; i < entities.size(); ++i) {
    const LoadedEntity& entity = entities[i];
    FuzzCheck(entity.keyword == spans[i].keyword && converted_spans[i].keyword == spans[i].keyword,
              "an entity changed its keyword");
    FuzzCheck(entity.text_offset + entity.text_size < module.texts.size() &&
                  module.texts[entity.text_offset + entity.text_size] == '\0',
              "an entity text is not zero-terminated");
    const std::string_view source =
        std::string_view(module.texts).substr(entity.text_offset, entity.text_size);
    FuzzCheck(source.ends_with("\r\n"), "an entity text does not end in CR LF");
    for (std::size_t at = source.find('\n'); at != std::string_view::npos;
         at = source.find('\n', at + 1)) {
      FuzzCheck(at > 0 && source[at - 1] == '\r', "an entity text keeps a lone LF");
    }
    FuzzCheck(IsWord(entity.display_name), "a display name is not one word");
    if (entity.keyword != EntityKeyword::kClass) continue;
    const std::string prototype = ClassPrototype(EntityStatement(source));
    FuzzCheck(
        prototype == "CLASS" + (entity.display_name.empty() ? "" : " " + entity.display_name) ||
            prototype.starts_with("CLASS " + entity.display_name + " "),
        "a class prototype does not name the class");
  }
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = ivarscan::FuzzText(data, size);
  const std::vector<ivarscan::EntitySpan> spans = ivarscan::SplitEntities(text);
  ivarscan::CheckSpans(text, spans);
  ivarscan::CheckEntitiesStandAlone(text, spans);
  ivarscan::CheckLoadedModule(text, spans);
  return 0;
}
