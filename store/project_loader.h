// Reading one project of a repository folder into memory.
#ifndef IVARSCAN_STORE_PROJECT_LOADER_H_
#define IVARSCAN_STORE_PROJECT_LOADER_H_

#include <string>
#include <string_view>

#include "platform/env.h"
#include "store/loaded_project.h"
#include "store/skipped_file.h"

namespace ivarscan {

// Reads the project `name` from its folder `project_folder`, which is `relative_folder`
// relative to the repository folder ('/'-separated, empty for the repository folder
// itself): its application folders with their application.ini and module files (`.prg`
// and module exports), and its application exports. Never fails: a file or folder that
// cannot be read, and a damaged export file, is left out (an unreadable application.ini
// gives the defaults), and that, like every setting it cannot use, is recorded in
// `skipped`. Up to `threads` threads read the module files and application exports and
// cut them into entities, calling env.ReadFile at the same time (1: the calling thread
// alone); the result and `skipped` are the same for any number of threads.
LoadedProject LoadProject(Env& env, const std::string& project_folder,
                          const std::string& relative_folder, const std::string& name,
                          SkipList* skipped, unsigned threads = 1);

// The handle of the project's first application named `name` ignoring letter case; 0
// when there is none.
AppHandle FindApplication(const LoadedProject& project, std::string_view name);

// The handle of the application's first entity, in module order and then entity order,
// whose display name equals the application's Icon setting ignoring letter case; 0 when it
// has no Icon setting or no such entity.
EntityHandle FindIconEntity(const LoadedProject& project, AppHandle application);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_PROJECT_LOADER_H_
