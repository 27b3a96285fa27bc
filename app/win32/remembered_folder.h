// The repository folder chosen last time, remembered per user in
// %APPDATA%\ivarscan\ivarscan.ini:
//   [Repository]
//   Folder=C:\Exports\Sales
// The file is UTF-8, so that a folder name in any script is kept.
#ifndef IVARSCAN_APP_WIN32_REMEMBERED_FOLDER_H_
#define IVARSCAN_APP_WIN32_REMEMBERED_FOLDER_H_

#include <string>

#include "platform/env.h"

namespace ivarscan {

// The settings file that holds the remembered folder: ivarscan\ivarscan.ini in the
// folder `app_data` (the value of APPDATA); empty when `app_data` is.
std::string RememberedFolderFile(const std::string& app_data);

// The folder that `file` remembers; empty when it names none or cannot be read.
std::string ReadRememberedFolder(Env& env, const std::string& file);

// Makes `file` remember `folder`, creating its folder when needed; false when the file
// cannot be written (the choice is then only not remembered).
bool RememberFolder(Env& env, const std::string& file, const std::string& folder);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_REMEMBERED_FOLDER_H_
