#include "app/win32/windows_headers.h"

#include "app/win32/desktop_main.h"

#include "app/app_context.h"
#include "app/report_file.h"
#include "app/startup.h"
#include "app/win32/win32_error_box.h"
#include "app/win32/win32_ui.h"
#include "errors/raise.h"
#include "errors/startup.h"
#include "platform/parallel.h"
#include "platform/win32_desktop.h"
#include "store/folder_repository.h"
#include "store/locate_repository.h"

namespace ivarscan {

int RunDesktop(const Variant& variant) {
  static Win32ErrorBox error_box;
  SetErrorBox(&error_box);
  StartErrorHandling(variant);

  Env& env = *Env::Default();
  const unsigned threads = DefaultThreadCount();
  FolderRepository repo(&env, LocateRepository(env, ""), threads);
  Win32Ui ui;
  Win32Desktop desktop;
  AppContext context{repo, ui, desktop, env, variant, RaiseReportFileFailure};
  context.threads = threads;
  return RunReportingExceptions("START", [&] {
    App(context).Start();
    return 0;
  });
}

}  // namespace ivarscan
