#include "errors/os_exception_report.h"

#include <string>
#include <string_view>

#include "errors/error_log.h"
#include "errors/error_message.h"
#include "errors/text_out.h"
#include "platform/error_codes.h"
#include "platform/runtime_settings.h"
#include "platform/runtime_state.h"

namespace ivarscan {
namespace {

constexpr std::size_t kTextRoom = 256;

struct ReportContext {
  Variant variant;
  std::string log_path;
  std::string logged_text;  // ErrorLoggedText of log_path
  std::string program;
  std::int64_t utc_offset = 0;
  ErrorRecord record;
  char message[8 * 1024];
  char entry[16 * 1024];
};

ReportContext* context = nullptr;  // set up once, used in signal context

// Standard error shows lines ending in LF only.
void WriteToStandardError(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == '\r') {
      SignalSafeWrite(kStandardErrorHandle, text.data() + start, at - start);
      start = at + 1;
    }
  }
}

// Appends the entry to the log; false when the log cannot be opened.
bool WriteLogEntry(ReportContext& report, std::string_view message) {
  int error = 0;
  const int log = SignalSafeOpenForAppend(report.log_path.c_str(), &error);
  if (log < 0) return false;
  FixedOut entry(report.entry, sizeof report.entry);
  entry.Append(kCrLf);  // the separator, left out when the log is empty
  AppendLogEntry(entry, message, report.record, report.variant,
                 CivilFromUnixSeconds(UnixSecondsNow(), report.utc_offset), Settings(),
                 report.program);
  SignalSafeAppendEntry(log, entry.view().data(), kCrLf.size(), entry.view().size());
  SignalSafeClose(log);
  return true;
}

int ReportOsException(const OsException& exception) {
  ReportContext& report = *context;
  FillOsExceptionRecord(exception, report.variant, report.record);
  FixedOut message(report.message, sizeof report.message - 1);  // room for the terminator
  AppendErrorMessage(message, report.record, report.variant);
  AppendCallStack(message);
  report.message[message.view().size()] = '\0';
  const bool logged = SetErrorLog() && WriteLogEntry(report, message.view());
  WriteToStandardError("ERROR\n");
  WriteToStandardError(message.view());
  WriteToStandardError("Abort: an operating-system exception allows no other choice.\n");
  if (logged) {
    WriteToStandardError(report.logged_text);
    WriteToStandardError("\n");
  }
  ShowFatalErrorBox(report.message, "ERROR");
  return static_cast<int>(report.record.GENCODE);
}

}  // namespace

void FillOsExceptionRecord(const OsException& exception, const Variant& variant,
                           ErrorRecord& record) {
  record.SUBSYSTEM.assign("OS");
  record.SUBCODE = variant.os_exception_subcode;
  record.GENCODE = gencode::kOsException;
  record.OSCODE = exception.code;
  record.SEVERITY = 2;
  record.DESCRIPTION.assign(exception.description);
  record.FUNCSYM = exception.info;
  record.ARGNUM = exception.parameter_count;
  record.FUNCPTR = exception.address;
  record.ARGTYPE = exception.flags;
}

void InstallOsExceptionReport(const Variant& variant) {
  if (context == nullptr) context = new ReportContext;  // lives until the process ends
  context->variant = variant;
  context->log_path = ErrorLogPath();
  context->logged_text = ErrorLoggedText(context->log_path);
  context->program = EXEFILENAME();
  context->utc_offset = UtcOffsetSecondsNow();
  context->record.SUBSYSTEM.reserve(kTextRoom);
  context->record.DESCRIPTION.reserve(kTextRoom);
  SetErrorLog();  // the settings exist before a signal can ask for them
  Settings();
  InstallOsExceptionReporter(ReportOsException);
}

}  // namespace ivarscan
