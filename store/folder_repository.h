// FolderRepository: the repository access interface served from a folder. The folder's
// form (store/repository_form.h) is recognised when the repository is opened: a repository
// folder of projects (docs/repository-folder.md), which is locked through its
// repository.lock from a successful AdamInit until AdamExit or the object's destruction; a
// bare export folder (store/export_folder.h), a repository of one project, always current,
// into which nothing is written; or a folder that holds no project, into which nothing is
// written either.
//
// The current project's files are read once, at the first call that needs them after the
// project became current, and every later call is served from memory. Handles of modules
// and entities, and the texts that RecGet returns, belong to that reading: they stay valid
// until another project's files are read or the repository is closed.
//
// Bad input never makes it fail as a whole: files and settings it cannot use are left out,
// and skipped() tells which and why. Statuses are those of store/folder_status.h.
#ifndef IVARSCAN_STORE_FOLDER_REPOSITORY_H_
#define IVARSCAN_STORE_FOLDER_REPOSITORY_H_

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/env.h"
#include "repo/repository_access.h"
#include "store/folder_status.h"
#include "store/loaded_project.h"
#include "store/repository_form.h"
#include "store/skipped_file.h"

namespace ivarscan {

class FolderRepository final : public RepositoryAccess {
 public:
  // `env` must outlive the object; `folder` is the repository folder. Up to `threads`
  // threads read the project's files (see LoadProject); every call is still made and
  // answered on the caller's thread.
  FolderRepository(Env* env, std::string folder, unsigned threads = 1);
  FolderRepository(const FolderRepository&) = delete;
  FolderRepository& operator=(const FolderRepository&) = delete;
  // Closes the repository as AdamExit does when it is still open.
  ~FolderRepository() override;

  // Makes `folder` the repository folder, for a program that learns it only when the
  // repository is about to be opened. Only while the repository is not open.
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& folder() const { return folder_; }

  // Opens the repository: fails with kFolderUnavailable when the folder cannot be listed,
  // and otherwise as the folder's form opens (a repository folder: kFolderLocked,
  // kFolderLockUnusable or kFolderWriteFailed; see docs/repository-folder.md). Opening an
  // open repository succeeds.
  Status AdamInit(std::uint32_t flags, std::uint32_t* out) override;
  // Ends the form's session: a repository folder drops the record of the previous project
  // this session wrote, when it is still there, and releases the lock.
  Status AdamExit() override;

  // Makes the project current, as the folder's form records it (RepositoryForm::Select).
  Status PrjSelect(const char* project_name) override;
  Status AdamQueryCurrentPrjName(char* buffer, std::uint32_t size) override;
  Status PrjCatCreateEnum(std::uint32_t reserved1, std::uint32_t reserved2,
                          CatalogueHandle* catalogue) override;
  Status PrjCatDestroyEnum(CatalogueHandle catalogue) override;
  Status PrjGetFirst(CatalogueHandle catalogue, char* buffer, std::uint32_t size) override;
  Status PrjGetNext(CatalogueHandle catalogue, char* buffer, std::uint32_t size) override;
  Status PrjQueryDescription(const char* project_name, char* buffer, std::uint32_t size,
                             std::uint32_t reserved) override;

  Status AdamGetFirstApp(AppHandle* application) override;
  Status AdamGetNextApp(AppHandle* application) override;
  Status AppFind(const char* name, AppHandle* application) override;
  Status AppQueryName(AppHandle application, char* buffer, std::uint32_t size) override;
  Status ModQueryName(ModuleHandle module, char* buffer, std::uint32_t size) override;
  Status AppQuerySysLib(AppHandle application, bool* system_library) override;
  Status AppQueryLib(AppHandle application, bool* library, bool* second_flag) override;
  Status AppQueryIcon(AppHandle application, EntityHandle* entity) override;
  Status AppSPathGetFirst(AppHandle application, AppHandle* entry) override;
  Status AppSPathGetNext(AppHandle* entry) override;
  Status AppGetFirstModule(AppHandle application, ModuleHandle* module) override;
  Status AppGetNextModule(ModuleHandle* module) override;
  Status ModGetFirstEntity(ModuleHandle module, EntityHandle* entity) override;
  Status ModGetNextEntity(EntityHandle* entity) override;

  Status EntQueryAppearance(EntityHandle entity, bool* value) override;
  Status EntQueryType(EntityHandle entity, std::int16_t* value) override;
  Status EntQuerySubType(EntityHandle entity, std::int16_t* value) override;
  Status EntQueryBlockType(EntityHandle entity, std::int16_t* value) override;
  Status EntQueryVis(EntityHandle entity, std::int16_t* value) override;
  Status EntQueryVit(EntityHandle entity, std::int16_t* value) override;
  Status EntQueryDebug(EntityHandle entity, std::int16_t* value) override;
  Status EntQueryCreateTime(EntityHandle entity, std::int32_t* value) override;
  Status EntQueryTime(EntityHandle entity, std::int32_t* value) override;
  Status EntQueryName(EntityHandle entity, Symbol* value) override;
  Status EntQueryDisplayName(EntityHandle entity, Symbol* value) override;
  Status EntQueryData(EntityHandle entity, std::uint16_t part, RecHandle* first_handle,
                      std::uint16_t* first_number, RecHandle* second_handle,
                      std::uint16_t* second_number) override;
  const char* RecGet(RecHandle handle, std::uint16_t number) override;
  Status EntQueryDescription(EntityHandle entity, RecHandle* handle,
                             std::uint16_t* number) override;
  Status EntQueryProt(EntityHandle entity, char* buffer, std::uint32_t size) override;
  Status EntQuerySourcePosition(EntityHandle entity, std::string* file, std::string* module_in_file,
                                std::uint32_t* line) override;

  // What was left out or changed while reading the folder since AdamInit, and why.
  const std::vector<SkippedFile>& skipped() const { return skipped_.entries(); }

  // FolderStatusText, with the system's reason for kFolderLockUnusable.
  std::string StatusText(Status status) const override;
  // Waiting helps only while another process holds the lock.
  bool MayOpenLater(Status status) const override { return status != kFolderLockUnusable; }

 private:
  // The positions [next, end) still to be handed out by an enumeration.
  struct Cursor {
    std::uint32_t next = 0;
    std::uint32_t end = 0;
  };
  struct Catalogue {
    std::vector<std::string> names;
    std::size_t next = 0;
  };
  // The current project, read first when needed; null when none is current or its folder
  // is gone.
  const LoadedProject* Project();
  // Project() as a status: kFolderNotOpen, kFolderNoCurrentProject or kFolderOk.
  Status Current(const LoadedProject** project);
  Status FindApplication(AppHandle handle, const LoadedApplication** application);
  Status FindModule(ModuleHandle handle, const LoadedModule** module);
  Status FindEntity(EntityHandle handle, const LoadedEntity** entity);
  // The entity's source text in the loaded project.
  std::string_view TextOf(const LoadedEntity& entity) const;
  static Status Take(Cursor* cursor, std::uint32_t* position);
  // Take for the enumerations of handles: the handle of a position is the position + 1,
  // and 0 once the cursor is used up.
  template <typename Handle>
  static Status TakeHandle(Cursor* cursor, Handle* handle);
  template <typename T, typename Get>
  Status QueryEntity(EntityHandle handle, T* value, Get get);

  Env* env_;
  std::string folder_;
  unsigned threads_;
  // The folder's form, recognised by the last AdamInit that could list the folder; kept
  // after a failed open for StatusText.
  std::unique_ptr<RepositoryForm> form_;
  bool open_ = false;
  std::optional<LoadedProject> project_;
  // What Project() returns until the current project changes or the repository closes;
  // null until then. Every query of an entity asks for the project, so this is the
  // short way there.
  const LoadedProject* current_loaded_ = nullptr;
  std::map<CatalogueHandle, Catalogue> catalogues_;
  CatalogueHandle last_catalogue_ = 0;
  Cursor application_cursor_;
  Cursor search_path_cursor_;
  AppHandle search_path_owner_ = 0;
  Cursor module_cursor_;
  Cursor entity_cursor_;
  SkipList skipped_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_FOLDER_REPOSITORY_H_
