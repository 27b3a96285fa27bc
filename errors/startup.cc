#include "errors/startup.h"

#include "errors/def_error.h"
#include "errors/international.h"
#include "errors/os_exception_report.h"
#include "platform/error_services.h"
#include "platform/runtime_state.h"

namespace ivarscan {
namespace {

void InstallDefError(const Variant& variant) {
  ErrorBlock([variant](const ErrorValue& value) { return DEFERROR(value, variant); });
}

}  // namespace

void ErrorStartupHook(const Variant& variant, bool first_initialisation, LocaleInfo& locale) {
  if (variant.is_ide20()) {
    if (!first_initialisation) return;
    InstallDefError(variant);
    ErrorFunc(DefErrorGen);
    SETINTERNATIONAL(WindowsMode(), variant, locale);
    return;
  }
  if (!ErrorBlock()) {
    InstallDefError(variant);
    SETINTERNATIONAL(WindowsMode(), variant, locale);
  }
  if (first_initialisation) ErrorFunc(DefErrorGen);
}

void StartErrorHandling(const Variant& variant) {
  ErrorStartupHook(variant, FirstRuntimeInitialisation(), *LocaleInfo::Default());
  InstallOsExceptionReport(variant);
}

}  // namespace ivarscan
