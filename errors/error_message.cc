#include "errors/error_message.h"

#include "platform/call_stack.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

constexpr std::size_t kMessageFileNameLength = 40;
constexpr int kMaxCallStackLines = 5;

void Line(TextOut& out, std::string_view label, std::string_view value) {
  out.Append(label);
  out.Append(value);
  out.Append(kCrLf);
}

void NumberLine(TextOut& out, std::string_view label, std::uint32_t value) {
  out.Append(label);
  out.AppendDecimal(value);
  out.Append(kCrLf);
}

void AppendFirstLine(TextOut& out, const ErrorRecord& record, const Variant& variant) {
  out.Append(record.SEVERITY == 1 ? "WARNING : " : "Error Code: ");
  out.Append(' ');
  if (record.GENCODE == 0) {
    out.Append(record.DESCRIPTION);
  } else if (variant.is_ide20()) {
    out.AppendUpper(ErrString(record.GENCODE));
    if (!record.DESCRIPTION.empty()) {
      out.Append(kCrLf);
      out.Append(record.DESCRIPTION);
    }
  } else {
    out.AppendDecimal(record.GENCODE);
    out.Append(" [ ");
    out.AppendUpper(ErrString(record.GENCODE));
    out.Append(" ]");
  }
  out.Append(kCrLf);
}

}  // namespace

std::string ERRORMESSAGE(const ErrorRecord& record, const Variant& variant) {
  StringOut out;
  AppendErrorMessage(out, record, variant);
  return out.text();
}

void AppendErrorMessage(TextOut& out, const ErrorRecord& record, const Variant& variant) {
  AppendFirstLine(out, record, variant);
  if (!record.SUBSYSTEM.empty()) Line(out, "Subsystem: ", record.SUBSYSTEM);
  if (record.SUBCODE != 0) {
    out.Append("Error Subcode: ");
    out.AppendDecimal(record.SUBCODE);
    if (!record.SUBCODETEXT.empty()) {
      out.Append(" (");
      out.Append(record.SUBCODETEXT);
      out.Append(")");
    }
    out.Append(kCrLf);
  }
  if (!record.OPERATION.empty()) Line(out, "Operation: ", record.OPERATION);
  // An operating-system exception carries exception information in FUNCSYM, no symbol;
  // not looking it up also keeps the exception reporter clear of the symbol table's lock.
  if (record.FUNCSYM != 0 && record.SUBCODE != variant.os_exception_subcode) {
    Line(out, "Function: ", SysGetAtomName(record.FUNCSYM));
  }
  if (!record.FILENAME.empty()) {
    Line(out, "Filename: ", std::string_view(record.FILENAME).substr(0, kMessageFileNameLength));
  }
  if (!record.ARG.empty()) {
    Line(out, "Argument: ", record.ARG);
    if (record.ARGTYPE != 0) Line(out, "Type: ", TypeString(record.ARGTYPE));
  }
  if (record.ARGNUM != 0) NumberLine(out, "Argument Number: ", record.ARGNUM);
  if (record.ARGTYPEREQ != 0 && record.ARGTYPEREQ != record.ARGTYPE) {
    Line(out, "Requested type: ", TypeString(record.ARGTYPEREQ));
  }
  if (!record.DESCRIPTION.empty()) Line(out, "Description: ", record.DESCRIPTION);
}

void AppendCallStack(TextOut& out) {
  if (ProcLine(1) <= 0) return;
  out.Append("CallStack: ");
  out.Append(kCrLf);
  for (int level = 1; level <= kMaxCallStackLines && ProcLine(level) > 0; ++level) {
    out.Append(ProcName(level));
    out.Append(" (Line: ");
    out.AppendDecimal(static_cast<std::uint64_t>(ProcLine(level)));
    out.Append(")");
    out.Append(kCrLf);
  }
}

}  // namespace ivarscan
