#include "repo/modules.h"

#include <array>

#include "platform/call_stack.h"
#include "platform/symbol_table.h"
#include "platform/text.h"
#include "repo/sort.h"

namespace ivarscan {
namespace {

constexpr std::uint32_t kModuleNameBufferSize = 64;
constexpr std::uint16_t kSourcePart = 7;
constexpr std::uint16_t kSecondSourcePart = 4;

// Copies the text of a RecGet pair into `out` at once; empty when the repository has none.
void AssignRecText(RepositoryAccess& repo, RecHandle handle, std::uint16_t number,
                   std::string& out) {
  const char* text = repo.RecGet(handle, number);
  if (text == nullptr) {
    out.clear();
  } else {
    out.assign(text);
  }
}

bool HasSourceTexts(const EntityRecord& record) {
  return record.appearance && (record.type == 1 || record.type == 3 || record.type == 4);
}

// The single queries, in the order the repository is asked.
void QueryEntityValues(RepositoryAccess& repo, EntityHandle entity, EntityRecord& record) {
  repo.EntQueryAppearance(entity, &record.appearance);
  repo.EntQueryType(entity, &record.type);
  repo.EntQueryVis(entity, &record.visibility);
  repo.EntQueryVit(entity, &record.vit);
  repo.EntQueryBlockType(entity, &record.block_type);
  repo.EntQuerySubType(entity, &record.subtype);
  repo.EntQueryCreateTime(entity, &record.create_time);
  repo.EntQueryTime(entity, &record.time);
  repo.EntQueryDebug(entity, &record.debug);
  repo.EntQueryDisplayName(entity, &record.display_name_symbol);
  record.display_name = SysGetAtomName(record.display_name_symbol);
  repo.EntQueryName(entity, &record.name_symbol);
  record.name = SysGetAtomName(record.name_symbol);
}

// Gives `record` a new record's values but keeps the storage of its texts, so that
// reading the next entity into it allocates nothing for texts that fit.
void ResetKeepingStorage(EntityRecord& record) {
  EntityRecord fresh;
  for (std::string EntityRecord::*text : {&EntityRecord::display_name, &EntityRecord::name,
                                          &EntityRecord::source, &EntityRecord::second_source}) {
    (fresh.*text).swap(record.*text);
    (fresh.*text).clear();
  }
  record = std::move(fresh);
}

// GETENTITYDETAIL into `record`, which holds a new record's values.
void ReadEntityDetail(RepositoryAccess& repo, EntityHandle entity, EntityRecord& record) {
  IVARSCAN_ROUTINE("GETENTITYDETAIL");
  record.handle = entity;
  QueryEntityValues(repo, entity, record);
  if (HasSourceTexts(record)) {
    // The part-4 query reuses the part-7 out values, so a failing part-4 query leaves
    // part 7's second pair in place.
    RecHandle first_handle = 0;
    RecHandle second_handle = 0;
    std::uint16_t first_number = 0;
    std::uint16_t second_number = 0;
    repo.EntQueryData(entity, kSourcePart, &first_handle, &first_number, &second_handle,
                      &second_number);
    AssignRecText(repo, first_handle, first_number, record.source);
    repo.EntQueryData(entity, kSecondSourcePart, &first_handle, &first_number, &second_handle,
                      &second_number);
    AssignRecText(repo, second_handle, second_number, record.second_source);
  }
  record.description = ENTDESCRIPTION(repo, entity);
}

}  // namespace

std::vector<ModuleRecord> GETMODULES(RepositoryAccess& repo, AppHandle application, bool sort) {
  IVARSCAN_ROUTINE("GETMODULES");
  std::vector<ModuleRecord> modules;
  ModuleHandle module = 0;
  for (Status status = repo.AppGetFirstModule(application, &module); status == 0 && module != 0;
       status = repo.AppGetNextModule(&module)) {
    modules.push_back(GETMODULEBASIC(repo, module));
  }
  if (sort) NEWASORT(modules, 1, kToTheEnd, NameOrder);
  return modules;
}

ModuleRecord GETMODULEBASIC(RepositoryAccess& repo, ModuleHandle module) {
  IVARSCAN_ROUTINE("GETMODULEBASIC");
  return ModuleRecord{module, MODNAME(repo, module)};
}

std::string MODNAME(RepositoryAccess& repo, ModuleHandle module) {
  IVARSCAN_ROUTINE("MODNAME");
  std::array<char, kModuleNameBufferSize> buffer{};
  repo.ModQueryName(module, buffer.data(), kModuleNameBufferSize);
  return std::string(ZeroTerminated(buffer.data(), buffer.size()));
}

std::vector<EntityRecord> GETENTITIES(RepositoryAccess& repo, ModuleHandle module,
                                      const EntityFilter& filter, bool sort) {
  IVARSCAN_ROUTINE("GETENTITIES");
  std::vector<EntityRecord> entities;
  // One record serves every entity that the filter turns down: a module's method entities
  // then cost no allocation for their source texts.
  EntityRecord record;
  EntityHandle entity = 0;
  for (Status status = repo.ModGetFirstEntity(module, &entity); status == 0 && entity != 0;
       status = repo.ModGetNextEntity(&entity)) {
    ResetKeepingStorage(record);
    ReadEntityDetail(repo, entity, record);
    if (!filter || filter(record)) entities.push_back(std::move(record));
  }
  if (sort) NEWASORT(entities, 1, kToTheEnd, NameOrder);
  return entities;
}

EntityRecord GETENTITYDETAIL(RepositoryAccess& repo, EntityHandle entity) {
  EntityRecord record;
  ReadEntityDetail(repo, entity, record);
  return record;
}

std::string ENTDESCRIPTION(RepositoryAccess& repo, EntityHandle entity) {
  IVARSCAN_ROUTINE("ENTDESCRIPTION");
  RecHandle handle = 0;
  std::uint16_t number = 0;
  if (repo.EntQueryDescription(entity, &handle, &number) != 0 || number == 0) return " ";
  std::string description;
  AssignRecText(repo, handle, number, description);
  return description;
}

}  // namespace ivarscan
