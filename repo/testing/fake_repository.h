// FakeRepository: an in-memory RepositoryAccess for tests. A test fills it with projects,
// applications, modules and entities; it then serves every operation the way the repository
// library does: first/next enumerations where a "next" continues the last "first" of its
// kind, texts copied into the caller's buffer cut to `size - 1` bytes plus a zero, RecGet
// texts that stay valid for the life of the fake, and a non-zero status for unknown handles
// or names, with the outputs left untouched.
//
// Every operation is counted and logged by its name ("AppQueryName", "RecGet", ...), and a
// test can make chosen calls of an operation fail or yield a zero handle.
//
// The fake does not insist that calls lie between AdamInit and AdamExit; tests that care
// look at is_open() and the call log.
#ifndef IVARSCAN_REPO_TESTING_FAKE_REPOSITORY_H_
#define IVARSCAN_REPO_TESTING_FAKE_REPOSITORY_H_

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "repo/repository_access.h"

namespace ivarscan {

struct FakeApplication {
  std::string name;
  bool library = false;              // first flag of AppQueryLib
  bool second_library_flag = false;  // second flag of AppQueryLib
  bool system_library = false;
};

struct FakeEntity {
  std::string display_name;
  std::string name;
  std::int16_t type = 1;  // with `appearance` set, a type whose source texts are fetched
  std::int16_t block_type = 0;
  bool appearance = true;
  std::int16_t visibility = 0;
  std::int16_t subtype = 0;
  std::int16_t vit = 0;
  std::int16_t debug = 0;
  std::int32_t create_time = 0;
  std::int32_t time = 0;
  std::string source;                      // first text of data part 7
  std::string second_source;               // second text of data part 4
  std::optional<std::string> description;  // none: EntQueryDescription yields number 0
  std::string prototype;                   // EntQueryProt
  // EntQuerySourcePosition. AddEntity lays entities out as a repository folder would when
  // `first_line` is 0: file "<application>/<module>.prg", the entity after the lines of
  // the module's earlier entities.
  std::string source_file;
  std::uint32_t first_line = 0;
};

class FakeRepository final : public RepositoryAccess {
 public:
  // ---- Filling the repository.

  // Adds a project to the catalogue; the catalogue keeps the order of these calls.
  void AddProject(std::string name, std::string description = "");
  // Makes `name` the current project as is, without PrjSelect's checks; "" leaves no
  // project current.
  void SetCurrentProject(std::string name);
  // Adds an application to the added project `project` and returns its handle. Handles
  // are given out from 1 upwards across all projects; each project lists its own
  // applications in the order they were added.
  AppHandle AddApplication(const std::string& project, FakeApplication application);
  // Sets the search path as given, zero and unknown handles included.
  void SetSearchPath(AppHandle application, std::vector<AppHandle> entries);
  // Sets the search path from application names, looked up like AppFind among the
  // application's own project; names that match nothing are left out.
  void SetSearchPathByName(AppHandle application, const std::vector<std::string>& names);
  // Makes `entity` the one AppQueryIcon names for the application.
  void SetIconEntity(AppHandle application, EntityHandle entity);
  // Adds a module to the application's module list and returns its handle.
  ModuleHandle AddModule(AppHandle application, std::string name);
  // Adds an entity to the module's entity list and returns its handle.
  EntityHandle AddEntity(ModuleHandle module, FakeEntity entity);
  // Adds a class declaration: type 3, block type 23, appearance set, `class_name` as name
  // and display name, `source` as its source text, and `prototype`, or when none is given
  // the prototype the repository folder derives from the class statement (the first line
  // of `source`, continued over lines ending in `;`): "CLASS <class_name>", followed by
  // INHERIT and the word after it when the statement has that word.
  EntityHandle AddClass(ModuleHandle module, std::string class_name, std::string source,
                        std::optional<std::string> prototype = std::nullopt);
  // The stored entity, for changing it after it was added.
  FakeEntity& entity(EntityHandle entity);

  // ---- Fault injection. `operation` is the name of a RepositoryAccess operation; calls
  // are counted per operation from 1. The first rule that matches a call decides it.

  // The nth call (every call when `nth` is 0) returns a non-zero status and changes no
  // output; a failing RecGet returns nullptr.
  void FailCall(const std::string& operation, int nth);
  // Calls 1 to `count` fail as with FailCall; later ones are served.
  void FailFirstCalls(const std::string& operation, int count);
  // The nth call (every call when `nth` is 0) succeeds, moving its enumeration on as usual,
  // but yields handle 0.
  void ZeroHandleAt(const std::string& operation, int nth);
  // When set, a text longer than the caller's buffer fills all `size` bytes and no
  // terminating zero is written, as a careless implementation might.
  void SetFillsBuffersWithoutZero(bool value) { fills_without_zero_ = value; }
  // When set, MayOpenLater says that a failed AdamInit will keep failing.
  void SetOpeningHopeless(bool value) { opening_hopeless_ = value; }

  // ---- Inspection.

  int CallCount(const std::string& operation) const;
  // Every call so far, by operation name, in order.
  const std::vector<std::string>& calls() const { return calls_; }
  // Forgets the call log; the counts that fault rules use keep running.
  void ClearCallLog() { calls_.clear(); }
  // The `size` passed by the last call of a buffer-filling operation; 0 before any.
  std::uint32_t LastBufferSize(const std::string& operation) const;
  bool is_open() const { return open_; }
  // Catalogues created and not yet destroyed.
  int open_catalogues() const { return static_cast<int>(catalogues_.size()); }
  const std::string& current_project() const { return current_project_; }

  // ---- RepositoryAccess.
  bool MayOpenLater(Status) const override { return !opening_hopeless_; }

  Status AdamInit(std::uint32_t flags, std::uint32_t* out) override;
  Status AdamExit() override;
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

 private:
  enum class Outcome { kServe, kFail, kZeroHandle };

  struct Rule {
    std::string operation;
    int first_call;
    int last_call;
    Outcome outcome;
  };

  struct Project {
    std::string name;
    std::string description;
    std::vector<AppHandle> applications;
  };

  struct Application {
    FakeApplication info;
    std::size_t project = 0;  // index into projects_
    std::vector<AppHandle> search_path;
    EntityHandle icon = 0;
    std::vector<ModuleHandle> modules;
  };

  struct Module {
    std::string name;
    std::vector<EntityHandle> entities;
    AppHandle application = 0;
    std::uint32_t next_line = 1;  // where the next entity added starts
  };

  // The state of one enumeration: a copy of the handles it walks and the next position.
  template <typename Handle>
  struct Cursor {
    std::vector<Handle> items;
    std::size_t next = 0;
  };

  // Counts and logs the call and tells how to answer it.
  Outcome Enter(const char* operation);
  // Enter for operations that fill a buffer: also records the buffer size.
  Outcome EnterWithBuffer(const char* operation, std::uint32_t size);
  void AddRule(const std::string& operation, int first_call, int last_call, Outcome outcome);
  Status CopyOut(std::string_view text, char* buffer, std::uint32_t size) const;

  template <typename Handle>
  static Status Step(Outcome outcome, Cursor<Handle>& cursor, Handle* out);
  template <typename Handle>
  static Status Start(Outcome outcome, Cursor<Handle>& cursor, std::vector<Handle> items,
                      Handle* out);
  template <typename Value>
  Status QueryEntity(const char* operation, EntityHandle entity, Value FakeEntity::*field,
                     Value* out);

  Project* FindProject(std::string_view name);
  Project* CurrentProject();
  Application* FindApplication(AppHandle application);
  Module* FindModule(ModuleHandle module);
  FakeEntity* FindEntity(EntityHandle entity);
  AppHandle FindApplicationByName(const Project& project, std::string_view name) const;

  std::vector<Project> projects_;
  std::vector<Application> applications_;
  std::vector<Module> modules_;
  std::deque<FakeEntity> entities_;  // a deque keeps RecGet texts in place as entities are added
  std::string current_project_;

  bool open_ = false;
  std::map<CatalogueHandle, Cursor<std::size_t>> catalogues_;
  CatalogueHandle next_catalogue_ = 1;
  Cursor<AppHandle> application_cursor_;
  Cursor<AppHandle> search_path_cursor_;
  Cursor<ModuleHandle> module_cursor_;
  Cursor<EntityHandle> entity_cursor_;

  std::vector<Rule> rules_;
  std::map<std::string, int> call_counts_;
  std::vector<std::string> calls_;
  std::map<std::string, std::uint32_t> buffer_sizes_;
  bool fills_without_zero_ = false;
  bool opening_hopeless_ = false;
};

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_TESTING_FAKE_REPOSITORY_H_
