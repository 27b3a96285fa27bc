// The statuses that the repository folder layer's operations return. 0 is success; the
// other values tell a caller (or a person reading a log) why an operation failed. They
// are stable: docs/repository-folder.md lists them for users.
#ifndef IVARSCAN_STORE_FOLDER_STATUS_H_
#define IVARSCAN_STORE_FOLDER_STATUS_H_

#include "repo/repository_access.h"

namespace ivarscan {

inline constexpr Status kFolderOk = 0;
// The call came before AdamInit or after AdamExit.
inline constexpr Status kFolderNotOpen = 1;
// The repository folder does not exist or cannot be listed.
inline constexpr Status kFolderUnavailable = 2;
// repository.lock is held by another process (or by another open of the same repository).
inline constexpr Status kFolderLocked = 3;
// No project, application or entity of that name or handle.
inline constexpr Status kFolderNotFound = 4;
// An enumeration has no further item, or its first call was never made.
inline constexpr Status kFolderEndOfList = 5;
// No project is current, or the current project's folder is gone.
inline constexpr Status kFolderNoCurrentProject = 6;
// repository.ini could not be read or replaced; it was left as it was.
inline constexpr Status kFolderWriteFailed = 7;
// A null pointer or a buffer of size 0 was passed.
inline constexpr Status kFolderBadArgument = 8;
// repository.lock cannot be created or opened (a read-only folder, say): no program holds
// the repository, and waiting will not help.
inline constexpr Status kFolderLockUnusable = 9;

// What a status means, in a few words for a user.
inline const char* FolderStatusText(Status status) {
  switch (status) {
    case kFolderOk:
      return "success";
    case kFolderNotOpen:
      return "the repository is not open";
    case kFolderUnavailable:
      return "the repository folder does not exist or cannot be read";
    case kFolderLocked:
      return "another program holds the repository (repository.lock)";
    case kFolderNotFound:
      return "no such project, application or entity";
    case kFolderEndOfList:
      return "no further item";
    case kFolderNoCurrentProject:
      return "no project is current";
    case kFolderWriteFailed:
      return "repository.ini cannot be read or written";
    case kFolderBadArgument:
      return "bad argument";
    case kFolderLockUnusable:
      return "repository.lock cannot be created or opened";
    default:
      return "unknown status";
  }
}

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_FOLDER_STATUS_H_
