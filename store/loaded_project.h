// The current project of a repository folder as it is held in memory once its files are
// read: every application, module and entity, with the entities' source texts. Handles
// are positions in these lists plus one.
#ifndef IVARSCAN_STORE_LOADED_PROJECT_H_
#define IVARSCAN_STORE_LOADED_PROJECT_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/symbol_table.h"
#include "repo/repository_access.h"
#include "store/entity_keywords.h"

namespace ivarscan {

struct LoadedEntity {
  std::uint32_t module = 0;      // index of its module
  std::size_t text_offset = 0;   // where its source text starts in the module's `texts`
  std::size_t text_size = 0;     // its length, without the zero byte that follows it
  std::uint32_t first_line = 1;  // the 1-based line of the module file it starts on
  EntityKeyword keyword = EntityKeyword::kClass;
  std::string display_name;
  // The display name's symbol, interned once when the module joins the project (in project
  // order, so that the numbers do not depend on how many threads read the files):
  // EntQueryName and EntQueryDisplayName are asked for every entity a run collects.
  Symbol display_name_symbol = 0;
};

struct LoadedModule {
  std::string name;
  // Where the module comes from: the path of its file (`.prg`, `.mef` or `.aef`) relative
  // to the repository folder, with '/' between names. A module of an export file is also
  // named inside it: `name_in_file` is that name (empty for a `.prg`), so a position in
  // an `.aef` is the file, the module of that name, and a line of the module's text.
  std::string file;
  std::string name_in_file;
  // The module's entity texts one after the other, each with CR LF line ends and followed
  // by a zero byte.
  std::string texts;
  std::uint32_t first_entity = 0;  // index of its first entity
  std::uint32_t entity_count = 0;
};

struct LoadedApplication {
  std::string name;
  bool library = false;      // AppQueryLib's library flag
  bool second_flag = false;  // AppQueryLib's second flag
  bool system_library = false;
  std::vector<AppHandle> search_path;
  std::string icon_name;           // the Icon key: the display name of the icon entity
  std::uint32_t first_module = 0;  // index of its first module
  std::uint32_t module_count = 0;
};

struct LoadedProject {
  std::string name;
  std::vector<LoadedApplication> applications;
  std::vector<LoadedModule> modules;
  std::vector<LoadedEntity> entities;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_LOADED_PROJECT_H_
