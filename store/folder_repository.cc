#include "store/folder_repository.h"

#include <string_view>

#include "platform/text.h"
#include "store/entity_statement.h"
#include "store/export_folder.h"
#include "store/folder_status.h"
#include "store/previous_project.h"
#include "store/project_folder.h"
#include "store/project_loader.h"
#include "store/settings_file.h"
#include "store/text_buffer.h"

namespace ivarscan {
namespace {

constexpr std::string_view kSettingsFile = "repository.ini";
constexpr std::string_view kLockFile = "repository.lock";
constexpr std::string_view kSection = kRepositorySection;
constexpr std::string_view kCurrentKey = kCurrentProjectKey;

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
  if (lock_) AdamExit();
}

std::string FolderRepository::SettingsPath() const { return JoinPath(folder_, kSettingsFile); }

Status FolderRepository::AdamInit(std::uint32_t, std::uint32_t* out) {
  if (out != nullptr) *out = 0;
  if (lock_) return kFolderOk;
  std::vector<DirectoryEntry> entries;
  if (env_->ListDirectory(folder_, &entries)) return kFolderUnavailable;
  bare_project_ = IsBareExportFolder(*env_, folder_) ? BareExportProjectName(folder_) : "";
  const std::string lock_path =
      bare_project_.empty() ? JoinPath(folder_, kLockFile) : BareExportLockPath(folder_);
  std::unique_ptr<FileLock> lock;
  if (std::error_code error = env_->LockFile(lock_path, &lock)) {
    lock_error_ = error;
    return IsLockHeld(error) ? kFolderLocked : kFolderLockUnusable;
  }
  skipped_.Clear();
  if (bare_project_.empty()) {
    if (Status status = RestoreAfterDeadSession()) return status;  // the lock goes with `lock`
  } else {
    current_project_ = bare_project_;  // its only project, current from the start
    current_loaded_ = nullptr;
  }
  lock_ = std::move(lock);
  return kFolderOk;
}

std::error_code FolderRepository::ListProjectNames(std::vector<std::string>* names) {
  if (bare_project_.empty()) return ListProjects(*env_, folder_, names, &skipped_);
  *names = {bare_project_};
  return {};
}

std::string FolderRepository::ProjectFolder(const std::string& project) const {
  return bare_project_.empty() ? JoinPath(folder_, project) : folder_;
}

std::string FolderRepository::StatusText(Status status) const {
  if (status == kFolderLockUnusable && lock_error_) {
    return std::string(FolderStatusText(status)) + ": " + lock_error_.message();
  }
  return FolderStatusText(status);
}

std::error_code FolderRepository::ReadSettings(std::optional<std::string>* text) {
  std::string contents;
  if (std::error_code error = env_->ReadFile(SettingsPath(), &contents)) {
    text->reset();
    return env_->FileExists(SettingsPath()) ? error : std::error_code();
  }
  *text = std::move(contents);
  return {};
}

// Reads the current project; when a session that had changed it never closed the
// repository, first puts back what the file said before that session.
Status FolderRepository::RestoreAfterDeadSession() {
  std::optional<std::string> text;
  if (std::error_code error = ReadSettings(&text)) {
    skipped_.Add(SettingsPath(), FailureReason("cannot be read: no project is current", error));
  }
  const std::string contents = text.value_or("");
  std::string current(SettingsFile::Parse(contents).Get(kSection, kCurrentKey));
  if (std::optional<PreviousProject> previous = RecordedPreviousProject(contents)) {
    if (Status status = PutBack(contents, *previous)) return status;
    current = previous->value;
  }
  current_project_ = MatchProject(current).value_or(current);
  current_loaded_ = nullptr;
  return kFolderOk;
}

Status FolderRepository::PutBack(std::string_view text, const PreviousProject& previous) {
  const std::optional<std::string> restored = PutBackPreviousProject(text, previous);
  if (restored) return WriteSettings(*restored);
  const std::error_code error = env_->RemoveFile(SettingsPath());
  return error && env_->FileExists(SettingsPath()) ? kFolderWriteFailed : kFolderOk;
}

Status FolderRepository::AdamExit() {
  if (!lock_) return kFolderNotOpen;
  Status status = kFolderOk;
  if (previous_) {
    std::string text;
    status = env_->ReadFile(SettingsPath(), &text) ? kFolderWriteFailed
                                                   : WriteSettings(ForgetPreviousProject(text));
  }
  project_.reset();
  catalogues_.clear();
  current_project_.clear();
  current_loaded_ = nullptr;
  previous_.reset();
  application_cursor_ = search_path_cursor_ = module_cursor_ = entity_cursor_ = {};
  lock_.reset();
  return status;
}

Status FolderRepository::WriteSettings(const std::string& text) {
  return env_->WriteFileAtomically(SettingsPath(), text) ? kFolderWriteFailed : kFolderOk;
}

std::optional<std::string> FolderRepository::MatchProject(std::string_view name) {
  std::vector<std::string> names;
  if (name.empty() || ListProjectNames(&names)) return std::nullopt;
  std::optional<std::string> match;
  for (std::string& project : names) {
    if (project == name) return project;
    if (!match && EqualsIgnoringCase(project, name)) match = project;
  }
  return match;
}

Status FolderRepository::PrjSelect(const char* project_name) {
  if (!lock_) return kFolderNotOpen;
  if (project_name == nullptr) return kFolderBadArgument;
  if (!bare_project_.empty()) {  // its one project is always current; nothing is written
    return MatchProject(project_name) ? kFolderOk : kFolderNotFound;
  }
  // Rewrite repository.ini from what it holds now, so that no other line is lost; a file
  // that exists but cannot be read is therefore left alone.
  std::optional<std::string> text;
  if (ReadSettings(&text)) return kFolderWriteFailed;
  const std::string contents = text.value_or("");
  if (previous_ && EqualsIgnoringCase(project_name, previous_name_)) {
    // The project that was current before this session: put back exactly what the file
    // said, be it a project that no longer exists, no project, or no file at all.
    if (Status status = PutBack(contents, *previous_)) return status;
    previous_.reset();
    current_project_ = previous_name_;
    current_loaded_ = nullptr;
    return kFolderOk;
  }
  std::optional<std::string> project = MatchProject(project_name);
  if (!project) return kFolderNotFound;

  std::string updated = SetSettingsValue(contents, kSection, kCurrentKey, *project);
  const bool record = !previous_ && *project != current_project_;
  const PreviousProject previous = PreviousProjectOf(text);
  if (record) updated = RecordPreviousProject(updated, previous);
  if (!text || updated != contents) {
    if (Status status = WriteSettings(updated)) return status;
  }
  if (record) {
    previous_ = previous;
    previous_name_ = current_project_;
  }
  current_project_ = std::move(*project);
  current_loaded_ = nullptr;
  return kFolderOk;
}

Status FolderRepository::AdamQueryCurrentPrjName(char* buffer, std::uint32_t size) {
  if (!lock_) return kFolderNotOpen;
  if (current_project_.empty()) return kFolderNoCurrentProject;
  return CopyToBuffer(current_project_, buffer, size);
}

Status FolderRepository::PrjCatCreateEnum(std::uint32_t, std::uint32_t,
                                          CatalogueHandle* catalogue) {
  if (!lock_) return kFolderNotOpen;
  if (catalogue == nullptr) return kFolderBadArgument;
  std::vector<std::string> names;
  if (ListProjectNames(&names)) return kFolderUnavailable;
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
  if (!lock_) return kFolderNotOpen;
  if (project_name == nullptr) return kFolderBadArgument;
  std::optional<std::string> project = MatchProject(project_name);
  if (!project) return kFolderNotFound;
  const std::string path = JoinPath(ProjectFolder(*project), kProjectSettingsFile);
  return CopyToBuffer(ReadSettingsFile(*env_, path, &skipped_).Get("Project", "Description"),
                      buffer, size);
}

const LoadedProject* FolderRepository::Project() {
  if (current_loaded_ != nullptr) return current_loaded_;
  if (!lock_ || current_project_.empty()) return nullptr;
  if (project_ && project_->name == current_project_) return current_loaded_ = &*project_;
  project_.reset();
  application_cursor_ = search_path_cursor_ = module_cursor_ = entity_cursor_ = {};
  const std::string folder = ProjectFolder(current_project_);
  const bool bare = !bare_project_.empty();
  if (!bare && !env_->FileExists(JoinPath(folder, kProjectSettingsFile))) return nullptr;
  project_ = LoadProject(*env_, folder, bare ? "" : current_project_, current_project_, &skipped_,
                         threads_);
  return current_loaded_ = &*project_;
}

Status FolderRepository::Current(const LoadedProject** project) {
  if (!lock_) return kFolderNotOpen;
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
