// A desktop program of the test build that faults on purpose: it sets up the error
// handling as the desktop programs do, then writes through a null pointer, so that a
// scenario can check what the user sees of an operating-system exception. The shipped
// programs have no way to fault on purpose.
#include "app/win32/windows_headers.h"

#include "app/win32/win32_error_box.h"
#include "errors/startup.h"
#include "platform/call_stack.h"
#include "platform/error_box.h"

namespace {

void WriteThroughNull() {
  IVARSCAN_ROUTINE("WRITETHROUGHNULL");
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

}  // namespace

int main() {
  static ivarscan::Win32ErrorBox error_box;
  ivarscan::SetErrorBox(&error_box);
  ivarscan::StartErrorHandling(ivarscan::kVariant25);
  WriteThroughNull();
  return 0;
}
