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
      classes.push_back({entity.handle, entity.display_name, GETVISIBLEIVARS(entity.source),
                         ParentNameFromPrototype(prototype, entity.display_name), module.handle,
                         application});
    }
  }
  return classes;
}

}  // namespace ivarscan
