// The start-up hook of the error handling: installs DEFERROR and the factory DefErrorGen and
// applies the user's locale conventions, before the application starts.
#ifndef IVARSCAN_ERRORS_STARTUP_H_
#define IVARSCAN_ERRORS_STARTUP_H_

#include "platform/locale_info.h"
#include "platform/variant.h"

namespace ivarscan {

// The hook, run at program initialisation; `first_initialisation` tells whether the runtime
// services are initialised for the first time in the process.
// IDE 2.5: when no handler is installed, installs DEFERROR and applies SETINTERNATIONAL with
// WINDOWS (an installed handler is left alone, and then the locale is not applied either);
// on the first initialisation registers DefErrorGen.
// IDE 2.0: on the first initialisation installs DEFERROR whether or not a handler is
// installed, registers DefErrorGen and then applies SETINTERNATIONAL with WINDOWS.
void ErrorStartupHook(const Variant& variant, bool first_initialisation, LocaleInfo& locale);

// What an executable's main calls first: the hook with the process's own initialisation
// flag and the user's locale, then the reporting of operating-system exceptions.
void StartErrorHandling(const Variant& variant);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_STARTUP_H_
