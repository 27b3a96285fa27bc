#include "store/folder_repository.h"

#include <string_view>

#include "platform/text.h"
#include "store/entity_statement.h"
#include "store/folder_status.h"
#include "store/project_folder.h"
#include "store/project_loader.h"
#include "store/repository_forms.h"
#include "store/settings_file.h"
#include "store/text_buffer.h"

namespace ivarscan {
namespace {

// Data part 7 of an entity holds its source text as the first text, which RecGet finds
// under the entity's handle and this number.
constexpr std::uint16_t kSourcePart = 7;
constexpr std::uint16_t kSourceNumber = 1;

// A class's prototype is built from its statement; every other entity's prototype is
// its statement itself.
std::string PrototypeOf(const LoadedEntity& entity, std::string_view text) {
  std::string statement = EntityStatement(text);
  if (entity.keyword == EntityKeyword::kClass) return ClassPrototype(statement);
  return std::string(TrimBlanksAndTabs(statement));
}

}  // namespace

FolderRepository::FolderRepository(Env* env, std::string folder, unsigned threads)
    : env_(env), folder_(std::move(folder)), threads_(threads) {}

FolderRepository::~FolderRepository() {
  if (open_) AdamExit();
}

Status FolderRepository::AdamInit(std::uint32_t, std::uint32_t* out) {
  if (out != nullptr) *out = 0;
  if (open_) return kFolderOk;
  std::vector<DirectoryEntry> entries;
  if (env_->ListDirectory(folder_, &entries)) return kFolderUnavailable;
  skipped_.Clear();
  form_ = RecogniseForm(*env_, folder_, &skipped_);
  if (Status status = form_->Open(&skipped_)) return status;
  open_ = true;
  return kFolderOk;
}

std::string FolderRepository::StatusText(Status status) const {
  const std::error_code error = form_ ? form_->open_error() : std::error_code();
  if (status == kFolderLockUnusable && error) {
    return std::string(FolderStatusText(status)) + ": " + error.message();
  }
  return FolderStatusText(status);
}

Status FolderRepository::AdamExit() {
  if (!open_) return kFolderNotOpen;
  const Status status = form_->Close();
  open_ = false;
  project_.reset();
  catalogues_.clear();
  current_loaded_ = nullptr;
  application_cursor_ = search_path_cursor_ = module_cursor_ = entity_cursor_ = {};
  return status;
}

Status FolderRepository::PrjSelect(const char* project_name) {
  if (!open_) return kFolderNotOpen;
  if (project_name == nullptr) return kFolderBadArgument;
  current_loaded_ = nullptr;
  return form_->Select(project_name, &skipped_);
}

Status FolderRepository::AdamQueryCurrentPrjName(char* buffer, std::uint32_t size) {
  if (!open_) return kFolderNotOpen;
  if (form_->current().empty()) return kFolderNoCurrentProject;
  return CopyToBuffer(form_->current(), buffer, size);
}

Status FolderRepository::PrjCatCreateEnum(std::uint32_t, std::uint32_t,
                                          CatalogueHandle* catalogue) {
  if (!open_) return kFolderNotOpen;
  if (catalogue == nullptr) return kFolderBadArgument;
  std::vector<std::string> names;
  if (form_->ListProjects(&names, &skipped_)) return kFolderUnavailable;
  if (++last_catalogue_ == 0) ++last_catalogue_;
  catalogues_[last_catalogue_] = {std::move(names), 0};
  *catalogue = last_catalogue_;
  return kFolderOk;
}

Status FolderRepository::PrjCatDestroyEnum(CatalogueHandle catalogue) {
  return catalogues_.erase(catalogue) == 1 ? kFolderOk : kFolderNotFound;
}

Status FolderRepository::PrjGetFirst(CatalogueHandle catalogue, char* buffer, std::uint32_t size) {
  auto found = catalogues_.find(catalogue);
  if (found == catalogues_.end()) return kFolderNotFound;
  found->second.next = 0;
  return PrjGetNext(catalogue, buffer, size);
}

Status FolderRepository::PrjGetNext(CatalogueHandle catalogue, char* buffer, std::uint32_t size) {
  auto found = catalogues_.find(catalogue);
  if (found == catalogues_.end()) return kFolderNotFound;
  Catalogue& entries = found->second;
  if (buffer == nullptr || size == 0) return kFolderBadArgument;
  if (entries.next >= entries.names.size()) return kFolderEndOfList;
  return CopyToBuffer(entries.names[entries.next++], buffer, size);
}

Status FolderRepository::PrjQueryDescription(const char* project_name, char* buffer,
                                             std::uint32_t size, std::uint32_t) {
  if (!open_) return kFolderNotOpen;
  if (project_name == nullptr) return kFolderBadArgument;
  std::optional<std::string> project = MatchProject(*form_, project_name, &skipped_);
  if (!project) return kFolderNotFound;
  std::optional<ProjectPlace> place = form_->PlaceOf(*project);
  const SettingsFile settings =
      place ? ReadSettingsFile(*env_, JoinPath(place->folder, kProjectSettingsFile), &skipped_)
            : SettingsFile();
  return CopyToBuffer(settings.Get("Project", "Description"), buffer, size);
}

const LoadedProject* FolderRepository::Project() {
  if (current_loaded_ != nullptr) return current_loaded_;
  if (!open_ || form_->current().empty()) return nullptr;
  const std::string& current = form_->current();
  if (project_ && project_->name == current) return current_loaded_ = &*project_;
  project_.reset();
  application_cursor_ = search_path_cursor_ = module_cursor_ = entity_cursor_ = {};
  const std::optional<ProjectPlace> place = form_->PlaceOf(current);
  if (!place) return nullptr;
  project_ = LoadProject(*env_, place->folder, place->relative, current, &skipped_, threads_);
  return current_loaded_ = &*project_;
}

Status FolderRepository::Current(const LoadedProject** project) {
  if (!open_) return kFolderNotOpen;
  *project = Project();
  return *project != nullptr ? kFolderOk : kFolderNoCurrentProject;
}

Status FolderRepository::FindApplication(AppHandle handle, const LoadedApplication** application) {
  const LoadedProject* project = nullptr;
  if (Status status = Current(&project)) return status;
  if (handle == 0 || handle > project->applications.size()) return kFolderNotFound;
  *application = &project->applications[handle - 1];
  return kFolderOk;
}

Status FolderRepository::FindModule(ModuleHandle handle, const LoadedModule** module) {
  const LoadedProject* project = nullptr;
  if (Status status = Current(&project)) return status;
  if (handle == 0 || handle > project->modules.size()) return kFolderNotFound;
  *module = &project->modules[handle - 1];
  return kFolderOk;
}

Status FolderRepository::FindEntity(EntityHandle handle, const LoadedEntity** entity) {
  const LoadedProject* project = nullptr;
  if (Status status = Current(&project)) return status;
  if (handle == 0 || handle > project->entities.size()) return kFolderNotFound;
  *entity = &project->entities[handle - 1];
  return kFolderOk;
}

std::string_view FolderRepository::TextOf(const LoadedEntity& entity) const {
  return std::string_view(project_->modules[entity.module].texts)
      .substr(entity.text_offset, entity.text_size);
}

Status FolderRepository::Take(Cursor* cursor, std::uint32_t* position) {
  if (cursor->next >= cursor->end) return kFolderEndOfList;
  *position = cursor->next++;
  return kFolderOk;
}

template <typename Handle>
Status FolderRepository::TakeHandle(Cursor* cursor, Handle* handle) {
  if (handle == nullptr) return kFolderBadArgument;
  std::uint32_t position = 0;
  Status status = Take(cursor, &position);
  *handle = status == kFolderOk ? static_cast<Handle>(position + 1) : 0;
  return status;
}

Status FolderRepository::AdamGetFirstApp(AppHandle* application) {
  const LoadedProject* project = nullptr;
  if (application == nullptr) return kFolderBadArgument;
  *application = 0;
  if (Status status = Current(&project)) return status;
  application_cursor_ = {0, static_cast<std::uint32_t>(project->applications.size())};
  return AdamGetNextApp(application);
}

Status FolderRepository::AdamGetNextApp(AppHandle* application) {
  return TakeHandle(&application_cursor_, application);
}

Status FolderRepository::AppFind(const char* name, AppHandle* application) {
  const LoadedProject* project = nullptr;
  if (name == nullptr || application == nullptr) return kFolderBadArgument;
  *application = 0;
  if (Status status = Current(&project)) return status;
  *application = ivarscan::FindApplication(*project, name);
  return *application != 0 ? kFolderOk : kFolderNotFound;
}

Status FolderRepository::AppQueryName(AppHandle handle, char* buffer, std::uint32_t size) {
  const LoadedApplication* application = nullptr;
  if (Status status = FindApplication(handle, &application)) return status;
  return CopyToBuffer(application->name, buffer, size);
}

Status FolderRepository::ModQueryName(ModuleHandle handle, char* buffer, std::uint32_t size) {
  const LoadedModule* module = nullptr;
  if (Status status = FindModule(handle, &module)) return status;
  return CopyToBuffer(module->name, buffer, size);
}

Status FolderRepository::AppQuerySysLib(AppHandle handle, bool* system_library) {
  const LoadedApplication* application = nullptr;
  if (system_library == nullptr) return kFolderBadArgument;
  if (Status status = FindApplication(handle, &application)) return status;
  *system_library = application->system_library;
  return kFolderOk;
}

Status FolderRepository::AppQueryLib(AppHandle handle, bool* library, bool* second_flag) {
  const LoadedApplication* application = nullptr;
  if (library == nullptr || second_flag == nullptr) return kFolderBadArgument;
  if (Status status = FindApplication(handle, &application)) return status;
  *library = application->library;
  *second_flag = application->second_flag;
  return kFolderOk;
}

Status FolderRepository::AppQueryIcon(AppHandle handle, EntityHandle* entity) {
  const LoadedApplication* application = nullptr;
  if (entity == nullptr) return kFolderBadArgument;
  *entity = 0;
  if (Status status = FindApplication(handle, &application)) return status;
  *entity = FindIconEntity(*project_, handle);
  return *entity != 0 ? kFolderOk : kFolderNotFound;
}

Status FolderRepository::AppSPathGetFirst(AppHandle handle, AppHandle* entry) {
  const LoadedApplication* application = nullptr;
  if (entry == nullptr) return kFolderBadArgument;
  *entry = 0;
  if (Status status = FindApplication(handle, &application)) return status;
  search_path_owner_ = handle;
  search_path_cursor_ = {0, static_cast<std::uint32_t>(application->search_path.size())};
  return AppSPathGetNext(entry);
}

Status FolderRepository::AppSPathGetNext(AppHandle* entry) {
  const LoadedApplication* application = nullptr;
  std::uint32_t position = 0;
  if (entry == nullptr) return kFolderBadArgument;
  *entry = 0;
  if (Status status = Take(&search_path_cursor_, &position)) return status;
  if (Status status = FindApplication(search_path_owner_, &application)) return status;
  *entry = application->search_path[position];
  return kFolderOk;
}

Status FolderRepository::AppGetFirstModule(AppHandle handle, ModuleHandle* module) {
  const LoadedApplication* application = nullptr;
  if (module == nullptr) return kFolderBadArgument;
  *module = 0;
  if (Status status = FindApplication(handle, &application)) return status;
  module_cursor_ = {application->first_module,
                    application->first_module + application->module_count};
  return AppGetNextModule(module);
}

Status FolderRepository::AppGetNextModule(ModuleHandle* module) {
  return TakeHandle(&module_cursor_, module);
}

Status FolderRepository::ModGetFirstEntity(ModuleHandle handle, EntityHandle* entity) {
  const LoadedModule* module = nullptr;
  if (entity == nullptr) return kFolderBadArgument;
  *entity = 0;
  if (Status status = FindModule(handle, &module)) return status;
  entity_cursor_ = {module->first_entity, module->first_entity + module->entity_count};
  return ModGetNextEntity(entity);
}

Status FolderRepository::ModGetNextEntity(EntityHandle* entity) {
  return TakeHandle(&entity_cursor_, entity);
}

template <typename T, typename Get>
Status FolderRepository::QueryEntity(EntityHandle handle, T* value, Get get) {
  const LoadedEntity* entity = nullptr;
  if (value == nullptr) return kFolderBadArgument;
  if (Status status = FindEntity(handle, &entity)) return status;
  *value = get(*entity);
  return kFolderOk;
}

// Every entity appears, so that its source text is fetched; the codes other than type and
// block type, and the times, are 0: the folder has nothing to give for them.
Status FolderRepository::EntQueryAppearance(EntityHandle entity, bool* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return true; });
}

Status FolderRepository::EntQueryType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity& e) { return CodesOf(e.keyword).type; });
}

Status FolderRepository::EntQuerySubType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int16_t{0}; });
}

Status FolderRepository::EntQueryBlockType(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value,
                     [](const LoadedEntity& e) { return CodesOf(e.keyword).block_type; });
}

Status FolderRepository::EntQueryVis(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int16_t{0}; });
}

Status FolderRepository::EntQueryVit(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int16_t{0}; });
}

Status FolderRepository::EntQueryDebug(EntityHandle entity, std::int16_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int16_t{0}; });
}

Status FolderRepository::EntQueryCreateTime(EntityHandle entity, std::int32_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int32_t{0}; });
}

Status FolderRepository::EntQueryTime(EntityHandle entity, std::int32_t* value) {
  return QueryEntity(entity, value, [](const LoadedEntity&) { return std::int32_t{0}; });
}

// The name is the display name: the folder keeps no other.
Status FolderRepository::EntQueryName(EntityHandle entity, Symbol* value) {
  return EntQueryDisplayName(entity, value);
}

Status FolderRepository::EntQueryDisplayName(EntityHandle entity, Symbol* value) {
  return QueryEntity(entity, value, [](const LoadedEntity& e) { return e.display_name_symbol; });
}

Status FolderRepository::EntQueryData(EntityHandle handle, std::uint16_t part,
                                      RecHandle* first_handle, std::uint16_t* first_number,
                                      RecHandle* second_handle, std::uint16_t* second_number) {
  const LoadedEntity* entity = nullptr;
  if (!first_handle || !first_number || !second_handle || !second_number) {
    return kFolderBadArgument;
  }
  *first_handle = *second_handle = 0;
  *first_number = *second_number = 0;
  if (Status status = FindEntity(handle, &entity)) return status;
  if (part == kSourcePart) {
    *first_handle = handle;
    *first_number = kSourceNumber;
  }
  return kFolderOk;
}

const char* FolderRepository::RecGet(RecHandle handle, std::uint16_t number) {
  const LoadedEntity* entity = nullptr;
  if (number != kSourceNumber || FindEntity(handle, &entity) != kFolderOk) return nullptr;
  return TextOf(*entity).data();
}

Status FolderRepository::EntQueryDescription(EntityHandle entity, RecHandle* handle,
                                             std::uint16_t* number) {
  const LoadedEntity* found = nullptr;
  if (handle == nullptr || number == nullptr) return kFolderBadArgument;
  *handle = 0;
  *number = 0;
  return FindEntity(entity, &found);
}

Status FolderRepository::EntQueryProt(EntityHandle handle, char* buffer, std::uint32_t size) {
  const LoadedEntity* entity = nullptr;
  if (Status status = FindEntity(handle, &entity)) return status;
  return CopyToBuffer(PrototypeOf(*entity, TextOf(*entity)), buffer, size);
}

Status FolderRepository::EntQuerySourcePosition(EntityHandle handle, std::string* file,
                                                std::string* module_in_file, std::uint32_t* line) {
  const LoadedEntity* entity = nullptr;
  if (file == nullptr || module_in_file == nullptr || line == nullptr) return kFolderBadArgument;
  if (Status status = FindEntity(handle, &entity)) return status;
  const LoadedModule& module = project_->modules[entity->module];
  *file = module.file;
  *module_in_file = module.name_in_file;
  *line = entity->first_line;
  return kFolderOk;
}

}  // namespace ivarscan
