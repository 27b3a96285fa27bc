// Fuzz target for the export file reader (.aef and .mef).
//
// Input: the bytes of an export file. The target reads them and checks that a damaged
// file is reported at an offset inside it, that everything read from a whole file lies
// inside the input and holds no zero byte, that modules come in file order, and that each
// module's text is cut into entities as a module file's would be.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "store/export_file.h"
#include "store/module_entities.h"

namespace ivarscan {
namespace {

bool Inside(std::string_view part, std::string_view whole) {
  return part.empty() ||
         (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

void CheckText(std::string_view text, std::string_view input, const char* what) {
  FuzzCheck(Inside(text, input), what);
  FuzzCheck(text.find('\0') == std::string_view::npos, "a text holds a zero byte");
}

void CheckModules(const ExportFile& file, std::string_view input) {
  std::size_t previous = 0;
  for (const ExportModule& module : file.modules) {
    FuzzCheck(module.offset >= previous && module.offset < input.size(),
              "module offsets are not ascending inside the file");
    previous = module.offset + 1;
    CheckText(module.name, input, "a module name lies outside the input");
    CheckText(module.external_source, input, "an external source lies outside the input");
    for (std::string_view source : module.entity_sources) {
      CheckText(source, input, "an entity source lies outside the input");
      FuzzCheck(!source.empty(), "an empty entity source is kept");
    }
    std::string text;
    AppendModuleText(module, &text);
    FuzzCheck(text.find('\0') == std::string::npos, "a module text holds a zero byte");
    LoadedModule loaded;
    std::vector<LoadedEntity> entities;
    AddModuleEntities(text, 0, &loaded, &entities);
    FuzzCheck(loaded.entity_count == entities.size(), "entity count differs from the entities");
  }
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so that a read past its end is caught.
  const std::string bytes(ivarscan::FuzzText(data, size));
  ivarscan::ExportFile file;
  if (auto damage = ivarscan::ReadExportFile(bytes, &file)) {
    ivarscan::FuzzCheck(damage->offset <= bytes.size(), "damage lies beyond the file");
    ivarscan::FuzzCheck(!damage->what.empty(), "damage without a reason");
    return 0;
  }
  ivarscan::FuzzCheck(!file.application_name || ivarscan::Inside(*file.application_name, bytes),
                      "the application name lies outside the input");
  for (std::string_view entry : file.search_path) {
    ivarscan::CheckText(entry, bytes, "a library name lies outside the input");
  }
  ivarscan::CheckModules(file, bytes);
  return 0;
}
