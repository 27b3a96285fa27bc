#include "app/win32/windows_headers.h"  // first: it removes the MessageBox and ERROR macros

#include "app/win32/desktop_main.h"

#include "app/app_context.h"
#include "app/startup.h"
#include "app/win32/win32_error_box.h"
#include "app/win32/win32_ui.h"
#include "errors/raise.h"
#include "errors/startup.h"
#include "platform/win32_desktop.h"
#include "store/folder_repository.h"
#include "store/locate_repository.h"

namespace ivarscan {
namespace {

// A report file that cannot be created, written or closed is a runtime failure like any
// other: the error handler logs it and lets the user retry, give up the run, or abort.
FileFailureAnswer RaiseReportFileFailure(std::uint32_t general_code, std::error_code error,
                                         const std::string& file_name, const char* operation) {
  return RaiseFileError(general_code, error, file_name, operation) == FileErrorAnswer::kRetry
             ? FileFailureAnswer::kRetry
             : FileFailureAnswer::kAbandon;
}

}  // namespace

int RunDesktop(const Variant& variant) {
  static Win32ErrorBox error_box;
  SetErrorBox(&error_box);
  StartErrorHandling(variant);

  Env& env = *Env::Default();
  FolderRepository repo(&env, LocateRepository(env, ""));
  Win32Ui ui;
  Win32Desktop desktop;
  AppContext context{repo, ui, desktop, env, variant, RaiseReportFileFailure};
  return RunReportingExceptions("App:Start", [&] {
    App(context).Start();
    return 0;
  });
}

}  // namespace ivarscan
