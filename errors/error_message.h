// ERRORMESSAGE: the readable text of an error record, as the error box shows it and the
// error log repeats it, and the call-stack lines that the handler appends to it. Every line
// ends with CR LF.
#ifndef IVARSCAN_ERRORS_ERROR_MESSAGE_H_
#define IVARSCAN_ERRORS_ERROR_MESSAGE_H_

#include <string>

#include "errors/error.h"
#include "errors/text_out.h"
#include "platform/variant.h"

namespace ivarscan {

// The message text of `record` in the variant's form.
std::string ERRORMESSAGE(const ErrorRecord& record, const Variant& variant);

// Appends the message text. Allocates nothing when FUNCSYM is the empty symbol, so the
// fatal-signal path can use it with a FixedOut.
void AppendErrorMessage(TextOut& out, const ErrorRecord& record, const Variant& variant);

// Appends "CallStack: " and one line per active routine with a source line, innermost
// first, at most five; nothing when the innermost routine has no line. Async-signal-safe
// with a FixedOut.
void AppendCallStack(TextOut& out);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_ERROR_MESSAGE_H_
