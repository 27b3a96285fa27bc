// Turning one module file's bytes into the module's entities.
#ifndef IVARSCAN_STORE_MODULE_ENTITIES_H_
#define IVARSCAN_STORE_MODULE_ENTITIES_H_

#include <string_view>
#include <vector>

#include "store/loaded_project.h"

namespace ivarscan {

// Cuts `source` (a module file's bytes) into entities (see entity_splitter.h) and appends
// them to `entities`, their texts to `module->texts`: every LF not preceded by CR becomes
// CR LF, a last line without line end gets CR LF, and each text is followed by a zero
// byte. Sets the module's first entity and entity count and each entity's first line
// (lines end at LF, as in the file); `module_index` is the module's position in its project.
// The display names are not interned: each entity's symbol is left 0 for the project to
// set when the module joins it.
void AddModuleEntities(std::string_view source, std::uint32_t module_index, LoadedModule* module,
                       std::vector<LoadedEntity>* entities);

// Appends `text` to `out` with every LF that is not preceded by CR turned into CR LF.
// `text` is taken to start at a line start (so a leading LF becomes CR LF).
void AppendWithCrLf(std::string_view text, std::string* out);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_MODULE_ENTITIES_H_
