#include "repo/testing/fake_repository.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "platform/symbol_table.h"
#include "platform/text.h"
#include "repo/records.h"

namespace ivarscan {
namespace {

constexpr Status kFailed = 1;

// Module and entity handles start in ranges of their own, above every application handle,
// so that a handle passed to the wrong kind of operation is unknown there.
constexpr ModuleHandle kFirstModule = 100'000;
constexpr EntityHandle kFirstEntity = 10'000'000;

// RecGet numbers of an entity's texts; the RecHandle is the entity handle.
constexpr std::uint16_t kSourceText = 1;
constexpr std::uint16_t kSecondSourceText = 2;
constexpr std::uint16_t kDescriptionText = 3;

constexpr std::uint16_t kSourcePart = 7;
constexpr std::uint16_t kSecondSourcePart = 4;

// Splits a line into words separated by blanks and tabs.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (true) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) return words;
    std::size_t end = std::min(line.find_first_of(" \t", pos), line.size());
    words.push_back(line.substr(pos, end - pos));
    pos = end;
  }
}

// One line of the class statement: anything from `//` on removed, then trailing blanks
// and tabs.
std::string_view StatementLine(std::string_view line) {
  line = line.substr(0, line.find("//"));
  std::size_t end = line.find_last_not_of(" \t");
  return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// The class statement of a class source: its first line, with every following line
// appended while the statement ends in `;` (that `;` becoming one blank).
std::string ClassStatement(std::string_view source) {
  std::string statement;
  while (true) {
    std::size_t end = std::min(source.find_first_of("\r\n"), source.size());
    statement += StatementLine(source.substr(0, end));
    source.remove_prefix(end);
    if (!source.empty() && source.front() == '\r') source.remove_prefix(1);
    if (!source.empty() && source.front() == '\n') source.remove_prefix(1);
    if (statement.empty() || statement.back() != ';' || source.empty()) return statement;
    statement.back() = ' ';
  }
}

std::string DerivedPrototype(std::string_view class_name, std::string_view source) {
  std::string prototype = "CLASS " + std::string(class_name);
  std::string statement = ClassStatement(source);
  std::vector<std::string_view> words = Words(statement);
  auto inherit = std::find_if(words.begin(), words.end(), [](std::string_view word) {
    return EqualsIgnoringCase(word, "INHERIT");
  });
  if (inherit == words.end()) return prototype;
  prototype.append(" ").append(*inherit);
  if (inherit + 1 != words.end()) prototype.append(" ").append(*(inherit + 1));
  return prototype;
}

// Filling a fake with a handle or project it does not hold is a mistake in the test.
template <typename T>
T& Require(T* found, const char* what) {
  if (found == nullptr) throw std::invalid_argument(std::string("FakeRepository: no such ") + what);
  return *found;
}

}  // namespace

// ---- Filling.

void FakeRepository::AddProject(std::string name, std::string description) {
  projects_.push_back({std::move(name), std::move(description), {}});
}

void FakeRepository::SetCurrentProject(std::string name) { current_project_ = std::move(name); }

AppHandle FakeRepository::AddApplication(const std::string& project, FakeApplication application) {
  Project& owner = Require(FindProject(project), "project");
  Application added;
  added.info = std::move(application);
  added.project = static_cast<std::size_t>(&owner - projects_.data());
  applications_.push_back(std::move(added));
  AppHandle handle = static_cast<AppHandle>(applications_.size());
  owner.applications.push_back(handle);
  return handle;
}

void FakeRepository::SetSearchPath(AppHandle application, std::vector<AppHandle> entries) {
  Require(FindApplication(application), "application").search_path = std::move(entries);
}

void FakeRepository::SetSearchPathByName(AppHandle application,
                                         const std::vector<std::string>& names) {
  Application& app = Require(FindApplication(application), "application");
  app.search_path.clear();
  for (const std::string& name : names) {
    AppHandle entry = FindApplicationByName(projects_[app.project], TrimBlanksAndTabs(name));
    if (entry != 0) app.search_path.push_back(entry);
  }
}

void FakeRepository::SetIconEntity(AppHandle application, EntityHandle entity) {
  Require(FindApplication(application), "application").icon = entity;
}

ModuleHandle FakeRepository::AddModule(AppHandle application, std::string name) {
  Application& owner = Require(FindApplication(application), "application");
  modules_.push_back({std::move(name), {}, application});
  ModuleHandle handle = kFirstModule + static_cast<ModuleHandle>(modules_.size() - 1);
  owner.modules.push_back(handle);
  return handle;
}

EntityHandle FakeRepository::AddEntity(ModuleHandle module, FakeEntity entity) {
  Module& owner = Require(FindModule(module), "module");
  if (entity.first_line == 0) {
    entity.source_file = applications_[owner.application - 1].info.name + "/" + owner.name + ".prg";
    entity.first_line = owner.next_line;
    owner.next_line +=
        static_cast<std::uint32_t>(std::count(entity.source.begin(), entity.source.end(), '\n'));
  }
  entities_.push_back(std::move(entity));
  EntityHandle handle = kFirstEntity + static_cast<EntityHandle>(entities_.size() - 1);
  owner.entities.push_back(handle);
  return handle;
}

EntityHandle FakeRepository::AddClass(ModuleHandle module, std::string class_name,
                                      std::string source, std::optional<std::string> prototype) {
  FakeEntity entity;
  entity.type = kClassEntityType;
  entity.block_type = kClassEntityBlockType;
  entity.prototype = prototype ? *prototype : DerivedPrototype(class_name, source);
  entity.display_name = class_name;
  entity.name = std::move(class_name);
  entity.source = std::move(source);
  return AddEntity(module, std::move(entity));
}

FakeEntity& FakeRepository::entity(EntityHandle entity) {
  return Require(FindEntity(entity), "entity");
}

// ---- Fault injection and inspection.

void FakeRepository::AddRule(const std::string& operation, int first_call, int last_call,
                             Outcome outcome) {
  rules_.push_back({operation, first_call, last_call, outcome});
}

void FakeRepository::FailCall(const std::string& operation, int nth) {
  AddRule(operation, nth == 0 ? 1 : nth, nth == 0 ? INT_MAX : nth, Outcome::kFail);
}

void FakeRepository::FailFirstCalls(const std::string& operation, int count) {
  AddRule(operation, 1, count, Outcome::kFail);
}

void FakeRepository::ZeroHandleAt(const std::string& operation, int nth) {
  AddRule(operation, nth == 0 ? 1 : nth, nth == 0 ? INT_MAX : nth, Outcome::kZeroHandle);
}

int FakeRepository::CallCount(const std::string& operation) const {
  auto it = call_counts_.find(operation);
  return it == call_counts_.end() ? 0 : it->second;
}

std::uint32_t FakeRepository::LastBufferSize(const std::string& operation) const {
  auto it = buffer_sizes_.find(operation);
  return it == buffer_sizes_.end() ? 0 : it->second;
}

FakeRepository::Outcome FakeRepository::Enter(const char* operation) {
  calls_.emplace_back(operation);
  int call = ++call_counts_[operation];
  for (const Rule& rule : rules_) {
    if (rule.operation == operation && call >= rule.first_call && call <= rule.last_call) {
      return rule.outcome;
    }
  }
  return Outcome::kServe;
}

FakeRepository::Outcome FakeRepository::EnterWithBuffer(const char* operation, std::uint32_t size) {
  buffer_sizes_[operation] = size;
  return Enter(operation);
}

Status FakeRepository::CopyOut(std::string_view text, char* buffer, std::uint32_t size) const {
  if (size == 0) return 0;
  if (fills_without_zero_ && text.size() >= size) {
    std::memcpy(buffer, text.data(), size);
    return 0;
  }
  std::size_t length = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return 0;
}

// ---- Lookups.

FakeRepository::Project* FakeRepository::FindProject(std::string_view name) {
  for (Project& project : projects_) {
    if (project.name == name) return &project;
  }
  return nullptr;
}

FakeRepository::Project* FakeRepository::CurrentProject() {
  return current_project_.empty() ? nullptr : FindProject(current_project_);
}

FakeRepository::Application* FakeRepository::FindApplication(AppHandle application) {
  if (application == 0 || application > applications_.size()) return nullptr;
  return &applications_[application - 1];
}

FakeRepository::Module* FakeRepository::FindModule(ModuleHandle module) {
  if (module < kFirstModule || module - kFirstModule >= modules_.size()) return nullptr;
  return &modules_[module - kFirstModule];
}

FakeEntity* FakeRepository::FindEntity(EntityHandle entity) {
  if (entity < kFirstEntity || entity - kFirstEntity >= entities_.size()) return nullptr;
  return &entities_[entity - kFirstEntity];
}

AppHandle FakeRepository::FindApplicationByName(const Project& project,
                                                std::string_view name) const {
  for (AppHandle handle : project.applications) {
    if (EqualsIgnoringCase(applications_[handle - 1].info.name, name)) return handle;
  }
  return 0;
}

// ---- Enumerations.

template <typename Handle>
Status FakeRepository::Step(Outcome outcome, Cursor<Handle>& cursor, Handle* out) {
  if (outcome == Outcome::kFail || cursor.next >= cursor.items.size()) return kFailed;
  Handle item = cursor.items[cursor.next++];
  *out = outcome == Outcome::kZeroHandle ? Handle{0} : item;
  return 0;
}

template <typename Handle>
Status FakeRepository::Start(Outcome outcome, Cursor<Handle>& cursor, std::vector<Handle> items,
                             Handle* out) {
  if (outcome == Outcome::kFail) return kFailed;
  cursor = {std::move(items), 0};
  return Step(outcome, cursor, out);
}

// ---- Opening and projects.

Status FakeRepository::AdamInit(std::uint32_t, std::uint32_t* out) {
  if (Enter("AdamInit") == Outcome::kFail) return kFailed;
  open_ = true;
  *out = 1;
  return 0;
}

Status FakeRepository::AdamExit() {
  if (Enter("AdamExit") == Outcome::kFail) return kFailed;
  open_ = false;
  return 0;
}

Status FakeRepository::PrjSelect(const char* project_name) {
  if (Enter("PrjSelect") == Outcome::kFail) return kFailed;
  for (const Project& project : projects_) {
    if (!project.name.empty() && EqualsIgnoringCase(project.name, project_name)) {
      current_project_ = project.name;
      return 0;
    }
  }
  return kFailed;
}

Status FakeRepository::AdamQueryCurrentPrjName(char* buffer, std::uint32_t size) {
  if (EnterWithBuffer("AdamQueryCurrentPrjName", size) == Outcome::kFail) return kFailed;
  if (current_project_.empty()) return kFailed;
  return CopyOut(current_project_, buffer, size);
}

Status FakeRepository::PrjCatCreateEnum(std::uint32_t, std::uint32_t, CatalogueHandle* catalogue) {
  Outcome outcome = Enter("PrjCatCreateEnum");
  if (outcome == Outcome::kFail) return kFailed;
  Cursor<std::size_t> cursor;
  for (std::size_t i = 0; i < projects_.size(); ++i) cursor.items.push_back(i);
  CatalogueHandle handle = next_catalogue_++;
  catalogues_[handle] = std::move(cursor);
  *catalogue = outcome == Outcome::kZeroHandle ? 0 : handle;
  return 0;
}

Status FakeRepository::PrjCatDestroyEnum(CatalogueHandle catalogue) {
  if (Enter("PrjCatDestroyEnum") == Outcome::kFail) return kFailed;
  return catalogues_.erase(catalogue) == 1 ? 0 : kFailed;
}

Status FakeRepository::PrjGetFirst(CatalogueHandle catalogue, char* buffer, std::uint32_t size) {
  Outcome outcome = EnterWithBuffer("PrjGetFirst", size);
  auto it = catalogues_.find(catalogue);
  if (outcome == Outcome::kFail || it == catalogues_.end()) return kFailed;
  it->second.next = 0;
  std::size_t project = 0;
  if (Step(Outcome::kServe, it->second, &project) != 0) return kFailed;
  return CopyOut(projects_[project].name, buffer, size);
}

Status FakeRepository::PrjGetNext(CatalogueHandle catalogue, char* buffer, std::uint32_t size) {
  Outcome outcome = EnterWithBuffer("PrjGetNext", size);
  auto it = catalogues_.find(catalogue);
  if (outcome == Outcome::kFail || it == catalogues_.end()) return kFailed;
  std::size_t project = 0;
  if (Step(Outcome::kServe, it->second, &project) != 0) return kFailed;
  return CopyOut(projects_[project].name, buffer, size);
}

Status FakeRepository::PrjQueryDescription(const char* project_name, char* buffer,
                                           std::uint32_t size, std::uint32_t) {
  if (EnterWithBuffer("PrjQueryDescription", size) == Outcome::kFail) return kFailed;
  const Project* project = FindProject(project_name);
  if (project == nullptr) return kFailed;
  return CopyOut(project->description, buffer, size);
}

// ---- Applications.

Status FakeRepository::AdamGetFirstApp(AppHandle* application) {
  Outcome outcome = Enter("AdamGetFirstApp");
  const Project* project = CurrentProject();
  if (project == nullptr) return kFailed;
  return Start(outcome, application_cursor_, project->applications, application);
}

Status FakeRepository::AdamGetNextApp(AppHandle* application) {
  return Step(Enter("AdamGetNextApp"), application_cursor_, application);
}

Status FakeRepository::AppFind(const char* name, AppHandle* application) {
  Outcome outcome = Enter("AppFind");
  const Project* project = CurrentProject();
  if (outcome == Outcome::kFail || project == nullptr) return kFailed;
  AppHandle found = FindApplicationByName(*project, name);
  if (found == 0) return kFailed;
  *application = outcome == Outcome::kZeroHandle ? 0 : found;
  return 0;
}

Status FakeRepository::AppQueryName(AppHandle application, char* buffer, std::uint32_t size) {
  Outcome outcome = EnterWithBuffer("AppQueryName", size);
  const Application* app = FindApplication(application);
  if (outcome == Outcome::kFail || app == nullptr) return kFailed;
  return CopyOut(app->info.name, buffer, size);
}

Status FakeRepository::AppQuerySysLib(AppHandle application, bool* system_library) {
  Outcome outcome = Enter("AppQuerySysLib");
  const Application* app = FindApplication(application);
  if (outcome == Outcome::kFail || app == nullptr) return kFailed;
  *system_library = app->info.system_library;
  return 0;
}

Status FakeRepository::AppQueryLib(AppHandle application, bool* library, bool* second_flag) {
  Outcome outcome = Enter("AppQueryLib");
  const Application* app = FindApplication(application);
  if (outcome == Outcome::kFail || app == nullptr) return kFailed;
  *library = app->info.library;
  *second_flag = app->info.second_library_flag;
  return 0;
}

Status FakeRepository::AppQueryIcon(AppHandle application, EntityHandle* entity) {
  Outcome outcome = Enter("AppQueryIcon");
  const Application* app = FindApplication(application);
  if (outcome == Outcome::kFail || app == nullptr || app->icon == 0) return kFailed;
  *entity = outcome == Outcome::kZeroHandle ? 0 : app->icon;
  return 0;
}

Status FakeRepository::AppSPathGetFirst(AppHandle application, AppHandle* entry) {
  Outcome outcome = Enter("AppSPathGetFirst");
  const Application* app = FindApplication(application);
  if (app == nullptr) return kFailed;
  return Start(outcome, search_path_cursor_, app->search_path, entry);
}

Status FakeRepository::AppSPathGetNext(AppHandle* entry) {
  return Step(Enter("AppSPathGetNext"), search_path_cursor_, entry);
}

Status FakeRepository::AppGetFirstModule(AppHandle application, ModuleHandle* module) {
  Outcome outcome = Enter("AppGetFirstModule");
  const Application* app = FindApplication(application);
  if (app == nullptr) return kFailed;
  return Start(outcome, module_cursor_, app->modules, module);
}

Status FakeRepository::AppGetNextModule(ModuleHandle* module) {
  return Step(Enter("AppGetNextModule"), module_cursor_, module);
}

// ---- Modules and entities.

Status FakeRepository::ModQueryName(ModuleHandle module, char* buffer, std::uint32_t size) {
  Outcome outcome = EnterWithBuffer("ModQueryName", size);
  const Module* found = FindModule(module);
  if (outcome == Outcome::kFail || found == nullptr) return kFailed;
  return CopyOut(found->name, buffer, size);
}

Status FakeRepository::ModGetFirstEntity(ModuleHandle module, EntityHandle* entity) {
  Outcome outcome = Enter("ModGetFirstEntity");
  const Module* found = FindModule(module);
  if (found == nullptr) return kFailed;
  return Start(outcome, entity_cursor_, found->entities, entity);
}

Status FakeRepository::ModGetNextEntity(EntityHandle* entity) {
  return Step(Enter("ModGetNextEntity"), entity_cursor_, entity);
}

template <typename Value>
Status FakeRepository::QueryEntity(const char* operation, EntityHandle entity,
                                   Value FakeEntity::*field, Value* out) {
  Outcome outcome = Enter(operation);
  const FakeEntity* found = FindEntity(entity);
  if (outcome == Outcome::kFail || found == nullptr) return kFailed;
  *out = found->*field;
  return 0;
}

Status FakeRepository::EntQueryAppearance(EntityHandle entity, bool* value) {
  return QueryEntity("EntQueryAppearance", entity, &FakeEntity::appearance, value);
}

Status FakeRepository::EntQueryType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQueryType", entity, &FakeEntity::type, value);
}

Status FakeRepository::EntQuerySubType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQuerySubType", entity, &FakeEntity::subtype, value);
}

Status FakeRepository::EntQueryBlockType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQueryBlockType", entity, &FakeEntity::block_type, value);
}

Status FakeRepository::EntQueryVis(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQueryVis", entity, &FakeEntity::visibility, value);
}

Status FakeRepository::EntQueryVit(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQueryVit", entity, &FakeEntity::vit, value);
}

Status FakeRepository::EntQueryDebug(EntityHandle entity, std::int16_t* value) {
  return QueryEntity("EntQueryDebug", entity, &FakeEntity::debug, value);
}

Status FakeRepository::EntQueryCreateTime(EntityHandle entity, std::int32_t* value) {
  return QueryEntity("EntQueryCreateTime", entity, &FakeEntity::create_time, value);
}

Status FakeRepository::EntQueryTime(EntityHandle entity, std::int32_t* value) {
  return QueryEntity("EntQueryTime", entity, &FakeEntity::time, value);
}

Status FakeRepository::EntQueryName(EntityHandle entity, Symbol* value) {
  std::string name;
  Status status = QueryEntity("EntQueryName", entity, &FakeEntity::name, &name);
  if (status == 0) *value = SysAtom(name);
  return status;
}

Status FakeRepository::EntQueryDisplayName(EntityHandle entity, Symbol* value) {
  std::string name;
  Status status = QueryEntity("EntQueryDisplayName", entity, &FakeEntity::display_name, &name);
  if (status == 0) *value = SysAtom(name);
  return status;
}

// Part 7 carries the source as its first text, part 4 the second source as its second
// text; every other text of a part is absent (number 0).
Status FakeRepository::EntQueryData(EntityHandle entity, std::uint16_t part,
                                    RecHandle* first_handle, std::uint16_t* first_number,
                                    RecHandle* second_handle, std::uint16_t* second_number) {
  Outcome outcome = Enter("EntQueryData");
  if (outcome == Outcome::kFail || FindEntity(entity) == nullptr) return kFailed;
  *first_handle = part == kSourcePart ? entity : 0;
  *first_number = part == kSourcePart ? kSourceText : 0;
  *second_handle = part == kSecondSourcePart ? entity : 0;
  *second_number = part == kSecondSourcePart ? kSecondSourceText : 0;
  return 0;
}

const char* FakeRepository::RecGet(RecHandle handle, std::uint16_t number) {
  Outcome outcome = Enter("RecGet");
  const FakeEntity* found = FindEntity(handle);
  if (outcome == Outcome::kFail || found == nullptr) return nullptr;
  switch (number) {
    case kSourceText:
      return found->source.c_str();
    case kSecondSourceText:
      return found->second_source.c_str();
    case kDescriptionText:
      return found->description ? found->description->c_str() : nullptr;
    default:
      return nullptr;
  }
}

Status FakeRepository::EntQueryDescription(EntityHandle entity, RecHandle* handle,
                                           std::uint16_t* number) {
  Outcome outcome = Enter("EntQueryDescription");
  const FakeEntity* found = FindEntity(entity);
  if (outcome == Outcome::kFail || found == nullptr) return kFailed;
  *handle = found->description ? entity : 0;
  *number = found->description ? kDescriptionText : 0;
  return 0;
}

Status FakeRepository::EntQueryProt(EntityHandle entity, char* buffer, std::uint32_t size) {
  Outcome outcome = EnterWithBuffer("EntQueryProt", size);
  const FakeEntity* found = FindEntity(entity);
  if (outcome == Outcome::kFail || found == nullptr) return kFailed;
  return CopyOut(found->prototype, buffer, size);
}

Status FakeRepository::EntQuerySourcePosition(EntityHandle entity, std::string* file,
                                              std::string* module_in_file, std::uint32_t* line) {
  Outcome outcome = Enter("EntQuerySourcePosition");
  const FakeEntity* found = FindEntity(entity);
  if (outcome == Outcome::kFail || found == nullptr || found->first_line == 0) return kFailed;
  *file = found->source_file;
  module_in_file->clear();
  *line = found->first_line;
  return 0;
}

}  // namespace ivarscan
