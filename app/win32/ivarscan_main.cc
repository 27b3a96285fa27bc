#include "app/win32/desktop_main.h"

int main() { return ivarscan::RunDesktop(ivarscan::kVariant25); }
