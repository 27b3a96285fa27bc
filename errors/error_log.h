// The error log "VOERROR.LOG" in the work folder: OPENERRORLOG opens it for one entry,
// WRITEERRORLOG writes the entry, the handler closes it again. Every line ends with CR LF.
#ifndef IVARSCAN_ERRORS_ERROR_LOG_H_
#define IVARSCAN_ERRORS_ERROR_LOG_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "errors/error.h"
#include "errors/text_out.h"
#include "platform/env.h"
#include "platform/runtime_settings.h"
#include "platform/variant.h"

namespace ivarscan {

inline constexpr char kErrorLogName[] = "VOERROR.LOG";

// WorkDir() followed by "VOERROR.LOG".
std::string ErrorLogPath();

// Opens the error log at its end, for appending alongside other processes. A missing log is
// created (never truncated); in an existing one the entry written next is preceded by an
// empty line, in the same write, so entries are separated by one. Returns null (the handle
// -1) when it cannot be opened, also at once when the log is no regular file. When the creation
// fails because the folder does not exist, the default-folder setting of the file services is taken
// to be the cause: it is reset and an internal error is raised (RaiseInternalError 1, 0,
// "SetDefaultDir: <folder>" or "SetDefault: <folder>"). A call made while such an error is being
// handled returns null at once.
std::unique_ptr<WritableFile> OPENERRORLOG();

// Writes one entry, in one write: `message` is the text the handler shows, call-stack
// lines included. Write errors are ignored; the handler's outcome does not depend on the log.
void WRITEERRORLOG(WritableFile& handle, std::string_view message, const ErrorRecord& record,
                   const Variant& variant);

// Appends the entry that WRITEERRORLOG writes, dated `now` in `settings`' formats and naming
// the program file `program`. Allocates nothing when the record's symbols are empty.
void AppendLogEntry(TextOut& out, std::string_view message, const ErrorRecord& record,
                    const Variant& variant, const CivilTime& now, const RuntimeSettings& settings,
                    std::string_view program);

// The full path of the program file.
std::string EXEFILENAME();

// What the handler calls with the log's path after it has written an entry: the console
// edition names the log on standard error. None by default; returns the previous one.
using ErrorLogNotice = std::function<void(const std::string& log_path)>;
ErrorLogNotice SetErrorLogNotice(ErrorLogNotice notice);

// Calls the notice that SetErrorLogNotice installed, if any.
void NoticeErrorLogged(const std::string& log_path);

// The text that names the log after an entry was written: "The error is logged in " and the
// path.
std::string ErrorLoggedText(std::string_view log_path);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_ERROR_LOG_H_
