#include "engine/class_collection.h"

#include <algorithm>
#include <array>

#include "platform/call_stack.h"
#include "platform/text.h"
#include "repo/modules.h"
#include "repo/records.h"

namespace ivarscan {
namespace {

constexpr std::uint32_t kPrototypeBufferSize = 1024;

bool IsClassDeclaration(const EntityRecord& entity) {
  return entity.type == kClassEntityType && entity.block_type == kClassEntityBlockType;
}

// The prototype line, or empty text when the query leaves the buffer untouched.
std::string ReadPrototype(RepositoryAccess& repo, EntityHandle entity) {
  std::array<char, kPrototypeBufferSize> buffer{};
  repo.EntQueryProt(entity, buffer.data(), kPrototypeBufferSize);
  return std::string(ZeroTerminated(buffer.data(), buffer.size()));
}

// Sets where the class and its names stand, when the repository can tell.
void AddPosition(RepositoryAccess& repo, const std::vector<std::size_t>& name_lines,
                 ClassRecord* record) {
  std::uint32_t first_line = 0;
  if (repo.EntQuerySourcePosition(record->entity, &record->file, &record->module_in_file,
                                  &first_line) != 0) {
    record->ivar_lines.assign(name_lines.size(), 0);
    return;
  }
  record->line = first_line;
  record->ivar_lines.reserve(name_lines.size());
  for (std::size_t line : name_lines) {
    record->ivar_lines.push_back(first_line + static_cast<std::uint32_t>(line));
  }
}

}  // namespace

std::string ParentNameFromPrototype(std::string_view prototype, std::string_view class_name) {
  std::string line(prototype);
  std::replace(line.begin(), line.end(), '\t', ' ');
  std::string_view trimmed = TrimBlanks(line);
  std::size_t last_blank = trimmed.rfind(' ');
  std::string_view parent =
      last_blank == std::string_view::npos ? trimmed : trimmed.substr(last_blank + 1);
  if (EqualsIgnoringCase(parent, class_name)) return std::string();
  return std::string(parent);
}

ClassList GETAPPCLASSES(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("GETAPPCLASSES");
  ClassList classes;
  for (const ModuleRecord& module : GETMODULES(repo, application, true)) {
    for (const EntityRecord& entity : GETENTITIES(repo, module.handle, IsClassDeclaration, true)) {
      if (IsBlank(entity.source)) continue;
      std::string prototype = ReadPrototype(repo, entity.handle);
      ClassRecord& record = classes.emplace_back();
      record.entity = entity.handle;
      record.name = entity.display_name;
      std::vector<std::size_t> name_lines;
      record.ivars = GETVISIBLEIVARS(entity.source, &name_lines);
      record.parent = ParentNameFromPrototype(prototype, entity.display_name);
      record.module = module.handle;
      record.application = application;
      AddPosition(repo, name_lines, &record);
    }
  }
  return classes;
}

}  // namespace ivarscan
