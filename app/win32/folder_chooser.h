// The common Windows folder chooser (the file dialog in its folder-picking mode).
#ifndef IVARSCAN_APP_WIN32_FOLDER_CHOOSER_H_
#define IVARSCAN_APP_WIN32_FOLDER_CHOOSER_H_

#include <optional>
#include <string>

namespace ivarscan {

// The caption of the chooser of the repository folder.
inline constexpr char kChooseRepositoryTitle[] =
    "Choose the folder that holds the repository or the exported .AEF files";

// Shows the folder chooser with the caption `title` and returns the chosen folder (UTF-8),
// or nullopt when the user cancels or the chooser cannot be shown.
std::optional<std::string> ChooseFolder(const std::string& title);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_FOLDER_CHOOSER_H_
