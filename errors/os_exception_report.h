// Reports operating-system exceptions (fatal signals on POSIX) the way the error handler
// reports every failure: an error record with the variant's OS-exception sub-code, the
// exception code, flags, address and parameters in their fields, an error-log entry when
// logging is on, the message on standard error and, on Windows, in the error box. Only
// abort is possible: the process ends with general code 50 as its exit status.
#ifndef IVARSCAN_ERRORS_OS_EXCEPTION_REPORT_H_
#define IVARSCAN_ERRORS_OS_EXCEPTION_REPORT_H_

#include "errors/error.h"
#include "platform/os_exception.h"
#include "platform/variant.h"

namespace ivarscan {

// Prepares everything the report needs outside signal context (the log path, the program
// path, the UTC offset, a record with room for its texts) and installs the reporter.
void InstallOsExceptionReport(const Variant& variant);

// Fills `record` from `exception`, with the variant's sub-code. Allocates nothing when the
// record's text fields already have room for the description.
void FillOsExceptionRecord(const OsException& exception, const Variant& variant,
                           ErrorRecord& record);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_OS_EXCEPTION_REPORT_H_
