#include "errors/def_error.h"

#include <new>
#include <string>

#include "errors/error_log.h"
#include "errors/error_message.h"
#include "platform/error_box.h"
#include "platform/error_codes.h"
#include "platform/recovery_point.h"
#include "platform/runtime_state.h"

namespace ivarscan {
namespace {

constexpr char kFactoryCaption[] = "FROM DefErrorGen";
constexpr std::uint32_t kOsSharingViolation = 32;
constexpr std::uint32_t kOsLockViolation = 33;

std::string Text(const char* text) { return text != nullptr ? text : ""; }

void FillRecord(const RawError& raw, ErrorRecord& record) {
  record.SUBSYSTEM = Text(raw.sub_system);
  record.SUBCODE = raw.sub_code;
  record.GENCODE = raw.gen_code;
  record.OSCODE = raw.os_code;
  record.SEVERITY = raw.severity;
  record.CANDEFAULT = raw.can_default != 0;
  record.CANRETRY = raw.can_retry != 0;
  record.CANSUBSTITUTE = raw.can_substitute != 0;
  record.OPERATION = Text(raw.operation);
  record.DESCRIPTION = Text(raw.description);
  record.FILENAME = Text(raw.file_name);
  record.ARGS = ReadRawArguments(raw.args);
  record.TRIES = raw.tries;
  record.FUNCSYM = raw.func_sym;
  record.FILEHANDLE = raw.file_handle;
  record.ARGNUM = raw.arg_num;
  record.FUNCPTR = raw.func_ptr;
  record.SUBCODETEXT = Text(raw.sub_code_text);
  record.ARG = Text(raw.arg);
  record.ARGTYPE = raw.arg_type;
  record.ARGTYPEREQ = raw.arg_type_req;
  record.MAXSIZE = raw.max_size;
  record.SUBSTITUTETYPE = raw.substitute_type;
  if (record.CHOICE == 0) record.CHOICE = raw.choice;
  record.CALLFUNCSYM = raw.call_func_sym;
}

// A value that is not an error record is wrapped in one, so the handler always reports a record.
std::shared_ptr<ErrorRecord> WrapValue(const std::string& text) {
  static std::string* wrapped_text = new std::string;  // ARG points here until rebuilt
  *wrapped_text = text;
  RawError& raw = ErrorStructure();
  raw = RawError{};
  raw.gen_code = gencode::kWrongClass;
  raw.severity = 2;
  raw.func_sym = SysAtom("DEFERROR");
  raw.arg = wrapped_text->c_str();
  raw.arg_num = 1;
  raw.can_default = 1;
  return BuildErrorRecord(raw);
}

bool IsSilentSharingConflict(const ErrorRecord& record, const Variant& variant) {
  if (!record.CANDEFAULT) return false;
  if (record.GENCODE == gencode::kAppendLock) return true;
  if (record.GENCODE != gencode::kOpen) return false;
  return record.OSCODE == kOsSharingViolation ||
         (!variant.is_ide20() && record.OSCODE == kOsLockViolation);
}

void PlayErrorTones() {
  Tone(440, 1);
  Tone(494, 1);
  Tone(523, 1);
}

struct ChoiceCodes {
  std::uint32_t default_code;
  std::uint32_t retry_code;
  std::uint32_t abort_code;
};

// The choice codes the error box offers for the record; clears CANRETRY for general code 14,
// which is never retried.
ChoiceCodes OfferedChoices(ErrorRecord& record) {
  ChoiceCodes codes{0, 0, kAbortFlag};
  if (record.CANDEFAULT || record.CANSUBSTITUTE) codes.default_code = kDefaultChoice;
  if (record.CANRETRY) {
    if (record.GENCODE == gencode::kNoVariable) {
      record.CANRETRY = false;
    } else {
      codes.retry_code = kRetryChoice;
    }
  }
  if (CanBreak()) codes.abort_code += kAbortChoice;
  return codes;
}

void LogError(const std::string& message, const ErrorRecord& record, const Variant& variant) {
  std::unique_ptr<WritableFile> log = OPENERRORLOG();
  if (log == nullptr) return;
  WRITEERRORLOG(*log, message, record, variant);
  log->Close();
  NoticeErrorLogged(ErrorLogPath());
}

[[noreturn]] void AbortWith(const std::shared_ptr<ErrorRecord>& record, const Variant& variant) {
  MathInit();
  if (CanBreak()) Break(record);
  ErrorLevel(static_cast<int>(record->GENCODE));
  if (!variant.is_ide20()) VODBCloseAll();
  QuitProgram();
}

}  // namespace

RawError& ErrorStructure() {
  static RawError raw{};
  return raw;
}

std::shared_ptr<ErrorRecord> BuildErrorRecord(const RawError& raw) {
  std::shared_ptr<ErrorRecord> record = ErrorBuild(raw);
  return record != nullptr ? record : DefErrorGen(&raw);
}

std::shared_ptr<ErrorRecord> DefErrorGen(const RawError* raw) {
  std::shared_ptr<ErrorRecord> record;
  try {
    record = std::make_shared<ErrorRecord>();
  } catch (const std::bad_alloc&) {
    ErrorNoticeBox("No error object created !", kFactoryCaption);
    return nullptr;
  }
  if (raw == nullptr) {
    ErrorNoticeBox("Error structure has wrong tag", kFactoryCaption);
    return record;
  }
  RawError& own = ErrorStructure();
  own = *raw;
  FillRecord(own, *record);
  return record;
}

ErrorAnswer DEFERROR(const ErrorValue& value, const Variant& variant) {
  const auto* given = std::get_if<std::shared_ptr<ErrorRecord>>(&value);
  const std::string wrapped = given != nullptr ? "NIL" : std::get<1>(value);
  std::shared_ptr<ErrorRecord> record =
      given != nullptr && *given != nullptr ? *given : WrapValue(wrapped);
  if (record == nullptr) {
    // No record could be built for the value: say what it was and take the default that
    // a wrapped value allows.
    ErrorNoticeBox(wrapped, "ERROR");
    return {};
  }
  if (IsSilentSharingConflict(*record, variant)) {
    NetErr(true);
    return {};
  }
  const char* caption = record->SEVERITY == 1 ? "WARNING" : "ERROR";
  if (record->SUBSTITUTETYPE == typecode::kPointer) record->SEVERITY = 3;
  StringOut message;
  AppendErrorMessage(message, *record, variant);
  AppendCallStack(message);
  if (SetBeep()) PlayErrorTones();
  const ChoiceCodes codes = OfferedChoices(*record);
  if (SetErrorLog()) LogError(message.text(), *record, variant);
  const std::uint32_t choice = ErrorMessageBox(message.text(), caption, codes.default_code,
                                               codes.retry_code, codes.abort_code);
  if (choice == kDefaultChoice) {
    if (record->CANSUBSTITUTE) return {ErrorAnswer::Kind::kSubstitute, record->SUBSTITUTETYPE};
    return {};
  }
  if (choice == kRetryChoice) return {ErrorAnswer::Kind::kRetry, 0};
  AbortWith(record, variant);
}

}  // namespace ivarscan
