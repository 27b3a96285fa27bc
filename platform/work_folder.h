// The work folder that the error log goes to when the program chose none: a folder that the
// user running an installed program can write, which the folder of /usr/bin/ivarscan or
// of a program unzipped into C:\Program Files is not.
#ifndef IVARSCAN_PLATFORM_WORK_FOLDER_H_
#define IVARSCAN_PLATFORM_WORK_FOLDER_H_

#include <string>
#include <string_view>

namespace ivarscan {

// The POSIX rule: "$XDG_STATE_HOME/ivarscan/" when XDG_STATE_HOME is an absolute path (the
// XDG base-directory rules ignore a relative one), else "$HOME/.local/state/ivarscan/";
// empty when `home` is not absolute either.
std::string PosixStateFolder(std::string_view xdg_state_home, std::string_view home);

// The Windows rule: `program_folder` when a file can be created in it, else
// "%LOCALAPPDATA%\ivarscan\"; `program_folder` too when LOCALAPPDATA is empty. Ends in a
// backslash.
std::string WindowsWorkFolder(std::string_view program_folder, bool program_folder_writable,
                              std::string_view local_app_data);

// The folder of the program file, ending in the path separator; empty when the system
// cannot tell.
std::string ProgramFolder();

// This platform's rule for the running process, the folder created (with its missing
// parents, for the user alone on POSIX) when missing. The program's folder when the rule
// gives no folder or it cannot be created. Ends in the path separator.
std::string DefaultWorkFolder();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WORK_FOLDER_H_
