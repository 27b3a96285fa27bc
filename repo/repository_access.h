// RepositoryAccess: the only way into the IDE repository. It carries the operations of the
// IDE's repository access library under their own names and in their buffer-and-size
// calling style, so that the buffer limits the model relies on (31-character application
// names, 63-character module names, 1024-byte prototypes, 256-byte project names) hold for
// every implementation: the repository folder layer (store/) and the in-memory double
// used by tests (repo/fake_repository.h).
//
// Conventions:
// - Every operation but RecGet returns a Status, 0 for success.
// - Handles: applications 16-bit, modules, entities and catalogues 32-bit; 0 means none.
// - Text is zero-terminated single-byte; `size` is the size of the caller's buffer, and an
//   implementation never writes more than `size` bytes, the terminating zero included.
// - Calls lie between AdamInit and AdamExit. A "next" call continues the last "first"
//   call of its kind; an enumeration ends before another of its kind starts, with only
//   single queries between its steps.
// - A RecGet text stays valid across the entity's next query and next RecGet.
#ifndef IVARSCAN_REPO_REPOSITORY_ACCESS_H_
#define IVARSCAN_REPO_REPOSITORY_ACCESS_H_

#include <cstdint>
#include <string>

#include "platform/symbol_table.h"

namespace ivarscan {

using Status = std::uint32_t;
using AppHandle = std::uint16_t;
using ModuleHandle = std::uint32_t;
using EntityHandle = std::uint32_t;
using CatalogueHandle = std::uint32_t;
using RecHandle = std::uint32_t;

class RepositoryAccess {
 public:
  virtual ~RepositoryAccess() = default;

  // Opens the repository; `out` receives a value nobody reads.
  virtual Status AdamInit(std::uint32_t flags, std::uint32_t* out) = 0;
  // Closes the repository.
  virtual Status AdamExit() = 0;

  // Makes the named project current; 0 when it became current.
  virtual Status PrjSelect(const char* project_name) = 0;
  // The current project's name.
  virtual Status AdamQueryCurrentPrjName(char* buffer, std::uint32_t size) = 0;

  // The project catalogue: create, walk (names into the buffer; non-zero after the last),
  // destroy.
  virtual Status PrjCatCreateEnum(std::uint32_t reserved1, std::uint32_t reserved2,
                                  CatalogueHandle* catalogue) = 0;
  virtual Status PrjCatDestroyEnum(CatalogueHandle catalogue) = 0;
  virtual Status PrjGetFirst(CatalogueHandle catalogue, char* buffer, std::uint32_t size) = 0;
  virtual Status PrjGetNext(CatalogueHandle catalogue, char* buffer, std::uint32_t size) = 0;
  virtual Status PrjQueryDescription(const char* project_name, char* buffer, std::uint32_t size,
                                     std::uint32_t reserved) = 0;

  // The current project's applications.
  virtual Status AdamGetFirstApp(AppHandle* application) = 0;
  virtual Status AdamGetNextApp(AppHandle* application) = 0;
  virtual Status AppFind(const char* name, AppHandle* application) = 0;

  virtual Status AppQueryName(AppHandle application, char* buffer, std::uint32_t size) = 0;
  virtual Status ModQueryName(ModuleHandle module, char* buffer, std::uint32_t size) = 0;

  virtual Status AppQuerySysLib(AppHandle application, bool* system_library) = 0;
  virtual Status AppQueryLib(AppHandle application, bool* library, bool* second_flag) = 0;
  // The entity whose source names the application's icon file.
  virtual Status AppQueryIcon(AppHandle application, EntityHandle* entity) = 0;

  virtual Status AppSPathGetFirst(AppHandle application, AppHandle* entry) = 0;
  virtual Status AppSPathGetNext(AppHandle* entry) = 0;
  virtual Status AppGetFirstModule(AppHandle application, ModuleHandle* module) = 0;
  virtual Status AppGetNextModule(ModuleHandle* module) = 0;
  virtual Status ModGetFirstEntity(ModuleHandle module, EntityHandle* entity) = 0;
  virtual Status ModGetNextEntity(EntityHandle* entity) = 0;

  // Single queries about one entity.
  virtual Status EntQueryAppearance(EntityHandle entity, bool* value) = 0;
  virtual Status EntQueryType(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQuerySubType(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQueryBlockType(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQueryVis(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQueryVit(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQueryDebug(EntityHandle entity, std::int16_t* value) = 0;
  virtual Status EntQueryCreateTime(EntityHandle entity, std::int32_t* value) = 0;
  virtual Status EntQueryTime(EntityHandle entity, std::int32_t* value) = 0;
  virtual Status EntQueryName(EntityHandle entity, Symbol* value) = 0;
  virtual Status EntQueryDisplayName(EntityHandle entity, Symbol* value) = 0;

  // The two texts of one data part of an entity, as RecGet pairs. Part 7's first text is
  // the entity's source text.
  virtual Status EntQueryData(EntityHandle entity, std::uint16_t part, RecHandle* first_handle,
                              std::uint16_t* first_number, RecHandle* second_handle,
                              std::uint16_t* second_number) = 0;
  // The text of a RecGet pair, owned by the repository; nullptr when there is none.
  virtual const char* RecGet(RecHandle handle, std::uint16_t number) = 0;
  // The entity's description as a RecGet pair; number 0 means none.
  virtual Status EntQueryDescription(EntityHandle entity, RecHandle* handle,
                                     std::uint16_t* number) = 0;
  // The entity's prototype line.
  virtual Status EntQueryProt(EntityHandle entity, char* buffer, std::uint32_t size) = 0;

  // Where an entity's source text lies: the file of its module, relative to the repository
  // folder with '/' separators; for a module of an export file (`.aef`, `.mef`), the
  // module's name in that file (empty for other files); and the 1-based line of the
  // module's text on which the entity starts. The IDE's own library cannot tell; the
  // default fails and leaves the outputs untouched, and findings then carry no position.
  virtual Status EntQuerySourcePosition(EntityHandle /*entity*/, std::string* /*file*/,
                                        std::string* /*module_in_file*/, std::uint32_t* /*line*/) {
    return 1;
  }

  // A short text that tells a user why an operation returned `status`. The IDE's own
  // library has no such operation; the default names the number.
  virtual std::string StatusText(Status status) const { return "status " + std::to_string(status); }

  // Whether AdamInit, having failed with `status`, may succeed when tried again later (as
  // when another program holds the repository). The IDE's own library has no such
  // operation; the default says yes.
  virtual bool MayOpenLater(Status /*status*/) const { return true; }
};

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_REPOSITORY_ACCESS_H_
