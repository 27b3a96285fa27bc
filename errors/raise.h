// Raising failures: each turns a failure into an error record and hands it to the installed
// handler with the choices the failure allows. Abort never returns from these: the handler
// ends the program or unwinds to a recovery point.
#ifndef IVARSCAN_ERRORS_RAISE_H_
#define IVARSCAN_ERRORS_RAISE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <system_error>

#include "platform/error_services.h"

namespace ivarscan {

// Builds a record from `raw` and hands it to the installed handler. Without a handler (or
// record) the description goes to the error box as a notice and the default is taken when
// allowed; otherwise the program ends with exit code GENCODE.
ErrorAnswer RaiseError(const RawError& raw);

enum class FileErrorAnswer { kRetry, kDefault };

// Reports a failed file operation: `gencode` is gencode::kCreate, kOpen, kClose, kRead or
// kWrite, `os_error` the operating system's error (OSCODE, and its text as DESCRIPTION),
// `operation` the operation's name, `tries` the attempts made so far (TRIES), `handle` the
// file handle involved (FILEHANDLE). Retry and default are allowed: kRetry means try the
// operation again, kDefault give it up.
FileErrorAnswer RaiseFileError(std::uint32_t gencode, std::error_code os_error,
                               const std::string& file_name, const char* operation,
                               std::uint32_t tries, std::uint32_t handle);

// Reports the exception being handled (call only inside a catch block) as a failure of
// `operation`: std::bad_alloc as general code 11, any other exception as general code 51
// with its what() text (or "unknown exception") as DESCRIPTION.
ErrorAnswer RaiseCurrentException(const char* operation, bool can_default, bool can_retry);

// Runs `run` and returns its result. An exception escaping it is reported as a failure of
// `operation` with only abort allowed; should the handler return anyway, the result is the
// exception's general code. ErrorBreak passes through to its recovery point.
int RunReportingExceptions(const char* operation, const std::function<int()>& run);

// Raises an internal error of the runtime (general code 52) with SUBCODE `first`, OSCODE
// `second` and `text` as DESCRIPTION; default allowed, which is what happens after it.
void RaiseInternalError(std::uint32_t first, std::uint32_t second, const std::string& text);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_RAISE_H_
