// A bare export folder: the folder into which a user exported one project's applications
// (`.aef` files, with no project folders beside them). It is read as a repository of one
// project, named after the folder, and nothing is ever written into it.
#ifndef IVARSCAN_STORE_EXPORT_FOLDER_H_
#define IVARSCAN_STORE_EXPORT_FOLDER_H_

#include <string>

#include "platform/env.h"

namespace ivarscan {

// True when `folder` holds at least one application export and no project folder.
bool IsBareExportFolder(Env& env, const std::string& folder);

// The one project's name: the folder's own name (for "." or a path ending in a separator,
// the name of the folder meant).
std::string BareExportProjectName(const std::string& folder);

// The file that is locked while the program holds the bare export folder: a file in the
// system's temporary folder whose name is made from the folder's full path, so that two
// runs on one folder meet there without a file in the folder itself.
std::string BareExportLockPath(const std::string& folder);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_EXPORT_FOLDER_H_
