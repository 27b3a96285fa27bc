#include "app/win32/windows_headers.h"

#include "app/win32/folder_chooser.h"

#include <objbase.h>
#include <shobjidl.h>

#include "platform/win32_text.h"

namespace ivarscan {
namespace {

// Releases a COM interface pointer when it goes out of scope.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Interface** Receive() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

std::optional<std::string> AskWithDialog(const std::string& title) {
  ComPointer<IFileOpenDialog> dialog;
  if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, reinterpret_cast<void**>(dialog.Receive())))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog->SetTitle(ToWide(title).c_str());
  if (FAILED(dialog->Show(nullptr))) return std::nullopt;  // Cancel, or no dialog
  ComPointer<IShellItem> item;
  if (FAILED(dialog->GetResult(item.Receive()))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  std::string chosen = FromWide(path);
  ::CoTaskMemFree(path);
  return chosen;
}

}  // namespace

std::optional<std::string> ChooseFolder(const std::string& title) {
  const bool initialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  std::optional<std::string> chosen = AskWithDialog(title);
  if (initialised) ::CoUninitialize();
  return chosen;
}

}  // namespace ivarscan
