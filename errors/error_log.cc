#include "errors/error_log.h"

#include <utility>

#include "errors/hex_text.h"
#include "errors/raise.h"
#include "platform/error_codes.h"
#include "platform/runtime_state.h"
#include "platform/shared_log.h"
#include "platform/version.h"

namespace ivarscan {
namespace {

constexpr std::string_view kBanner = "***********************ERROR********************************";
constexpr std::string_view kFieldRule = "--------------------";

void Line(TextOut& out, std::string_view text) {
  out.Append(text);
  out.Append(kCrLf);
}

// One field line: the 17-character label, then the value as the callback appends it.
template <typename AppendValue>
void Field(TextOut& out, std::string_view label, AppendValue append_value) {
  out.Append(label);
  append_value();
  out.Append(kCrLf);
}

void TextField(TextOut& out, std::string_view label, std::string_view value) {
  Field(out, label, [&] { out.Append(value); });
}

void NumberField(TextOut& out, std::string_view label, std::uint64_t value) {
  Field(out, label, [&] { out.AppendDecimal(value); });
}

void LogicField(TextOut& out, std::string_view label, bool value) {
  TextField(out, label, value ? ".T." : ".F.");
}

void SymbolField(TextOut& out, std::string_view label, Symbol symbol) {
  TextField(out, label, symbol != 0 ? SysGetAtomName(symbol) : "");
}

void HexWordField(TextOut& out, std::string_view label, std::uint32_t word) {
  Field(out, label, [&] { out.AppendHex(word, 8); });
}

void AppendExceptionFields(TextOut& out, const ErrorRecord& record) {
  HexWordField(out, "ExceptionCode   :", record.OSCODE);
  HexWordField(out, "ExceptionFlags  :", record.ARGTYPE);
  Field(out, "ExceptionAddress:", [&] { AppendHexPointer(out, record.FUNCPTR); });
  NumberField(out, "ParamNumber     :", record.ARGNUM);
  HexWordField(out, "ExceptionInfo   :", record.FUNCSYM);
}

void AppendFailureFields(TextOut& out, const ErrorRecord& record) {
  NumberField(out, "OsCode          :", record.OSCODE);
  TextField(out, "ArgType         :", TypeString(record.ARGTYPE));
  Field(out, "FuncPtr         :", [&] { AppendHexPointer(out, record.FUNCPTR); });
  NumberField(out, "ArgNum          :", record.ARGNUM);
  SymbolField(out, "FuncSym         :", record.FUNCSYM);
}

void AppendFields(TextOut& out, const ErrorRecord& record, const Variant& variant) {
  TextField(out, "SubSystem       :", record.SUBSYSTEM);
  NumberField(out, "SubCode         :", record.SUBCODE);
  TextField(out, "GenCode         :", ErrString(record.GENCODE));
  if (record.SUBCODE == variant.os_exception_subcode) {
    AppendExceptionFields(out, record);
  } else {
    AppendFailureFields(out, record);
  }
  NumberField(out, "Severity        :", record.SEVERITY);
  LogicField(out, "CanDefault      :", record.CANDEFAULT);
  LogicField(out, "CanRetry        :", record.CANRETRY);
  LogicField(out, "CanSubstitute   :", record.CANSUBSTITUTE);
  TextField(out, "Operation       :", record.OPERATION);
  TextField(out, "Description     :", record.DESCRIPTION);
  TextField(out, "FileName        :", record.FILENAME);
  NumberField(out, "Tries           :", record.TRIES);
  NumberField(out, "FileHandle      :", record.FILEHANDLE);
  TextField(out, "SubCodeText     :", record.SUBCODETEXT);
  TextField(out, "Arg             :", record.ARG);
  TextField(out, "ArgTypeReq      :", TypeString(record.ARGTYPEREQ));
  NumberField(out, "MaxSize         :", record.MAXSIZE);
  TextField(out, "SubstituteType  :", TypeString(record.SUBSTITUTETYPE));
  SymbolField(out, "CallFuncSym     :", record.CALLFUNCSYM);
}

// Raises the internal error for a log folder that does not exist, blaming the default
// folder of the file services and resetting it.
void BlameDefaultFolder() {
  std::string text;
  if (!GetDefaultDir().empty()) {
    text = "SetDefaultDir: " + GetDefaultDir();
    SetDefaultDir("");
  } else {
    text = "SetDefault: " + GetDefault();
    SetDefault("");
  }
  RaiseInternalError(1, 0, text);
}

bool opening_log = false;

// Marks the raising of the internal error, also when the handler unwinds through it.
class OpeningLogGuard {
 public:
  OpeningLogGuard() { opening_log = true; }
  ~OpeningLogGuard() { opening_log = false; }
};

}  // namespace

std::string ErrorLogPath() { return WorkDir() + kErrorLogName; }

std::unique_ptr<WritableFile> OPENERRORLOG() {
  if (opening_log) return nullptr;
  std::unique_ptr<WritableFile> file;
  const std::error_code error = OpenSharedLog(ErrorLogPath(), kCrLf, &file);
  if (!error) return file;
  if (IsPathNotFound(error)) {
    OpeningLogGuard guard;
    BlameDefaultFolder();
  }
  return nullptr;
}

void WRITEERRORLOG(WritableFile& handle, std::string_view message, const ErrorRecord& record,
                   const Variant& variant) {
  StringOut entry;
  AppendLogEntry(entry, message, record, variant, LocalTimeNow(), Settings(), EXEFILENAME());
  handle.Append(entry.text());
}

void AppendLogEntry(TextOut& out, std::string_view message, const ErrorRecord& record,
                    const Variant& variant, const CivilTime& now, const RuntimeSettings& settings,
                    std::string_view program) {
  Line(out, kBanner);
  Line(out, Version());
  char date[kDateTimeTextSize];
  char time[kDateTimeTextSize];
  out.Append(std::string_view(date, FormatDate(now, settings, date, sizeof date)));
  out.Append(' ');
  Line(out, std::string_view(time, FormatTime(now, settings, time, sizeof time)));
  if (!variant.is_ide20()) {
    out.Append("Application: ");
    Line(out, program);
  }
  Line(out, " ");
  Line(out, "Error message:");
  Line(out, "--------------");
  Line(out, message);
  Line(out, "Error Object created:");
  Line(out, kFieldRule);
  AppendFields(out, record, variant);
  Line(out, kFieldRule);
}

std::string EXEFILENAME() { return ExecutablePath(); }

namespace {

ErrorLogNotice& InstalledNotice() {
  static ErrorLogNotice* notice = new ErrorLogNotice;  // never destroyed: used until exit
  return *notice;
}

}  // namespace

ErrorLogNotice SetErrorLogNotice(ErrorLogNotice notice) {
  return std::exchange(InstalledNotice(), std::move(notice));
}

void NoticeErrorLogged(const std::string& log_path) {
  if (InstalledNotice()) InstalledNotice()(log_path);
}

std::string ErrorLoggedText(std::string_view log_path) {
  return "The error is logged in " + std::string(log_path);
}

}  // namespace ivarscan
