#include "engine/class_collection.h"

#include <algorithm>
#include <array>

#include "platform/call_stack.h"
#include "platform/parallel.h"
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

// Where a class stands, as the repository tells it while the classes are read; the lines of
// the names follow once the class's source is scanned.
struct Position {
  bool known = false;
  std::uint32_t first_line = 0;
};

// A class read from the repository whose source is still to be scanned.
struct PendingClass {
  std::string source;
  Position position;
};

Position QueryPosition(RepositoryAccess& repo, ClassRecord* record) {
  std::uint32_t first_line = 0;
  if (repo.EntQuerySourcePosition(record->entity, &record->file, &record->module_in_file,
                                  &first_line) != 0) {
    return {};
  }
  record->line = first_line;
  return {true, first_line};
}

// Sets the lines of the class's names: 0 each when the repository cannot tell.
void SetNameLines(const Position& position, const std::vector<std::size_t>& name_lines,
                  ClassRecord* record) {
  if (!position.known) {
    record->ivar_lines.assign(name_lines.size(), 0);
    return;
  }
  record->ivar_lines.reserve(name_lines.size());
  for (std::size_t line : name_lines) {
    record->ivar_lines.push_back(position.first_line + static_cast<std::uint32_t>(line));
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

ClassList GETAPPCLASSES(RepositoryAccess& repo, AppHandle application, unsigned threads) {
  IVARSCAN_ROUTINE("GETAPPCLASSES");
  ClassList classes;
  std::vector<PendingClass> pending;  // one per class, scanned once the repository is read
  for (const ModuleRecord& module : GETMODULES(repo, application, true)) {
    for (EntityRecord& entity : GETENTITIES(repo, module.handle, IsClassDeclaration, true)) {
      if (IsBlank(entity.source)) continue;
      std::string prototype = ReadPrototype(repo, entity.handle);
      ClassRecord& record = classes.emplace_back();
      record.entity = entity.handle;
      record.name = entity.display_name;
      record.parent = ParentNameFromPrototype(prototype, entity.display_name);
      record.module = module.handle;
      record.application = application;
      pending.push_back({std::move(entity.source), QueryPosition(repo, &record)});
    }
  }
  // A run keeps every list it collects, so none keeps room to grow.
  ParallelFor(classes.size(), threads, [&](std::size_t i) {
    std::vector<std::size_t> name_lines;
    classes[i].ivars = GETVISIBLEIVARS(pending[i].source, &name_lines);
    classes[i].ivars.shrink_to_fit();
    SetNameLines(pending[i].position, name_lines, &classes[i]);
  });
  classes.shrink_to_fit();
  return classes;
}

}  // namespace ivarscan
