// The process-wide error handler DEFERROR and the error-record factory DefErrorGen.
#ifndef IVARSCAN_ERRORS_DEF_ERROR_H_
#define IVARSCAN_ERRORS_DEF_ERROR_H_

#include <memory>

#include "errors/error.h"
#include "platform/error_services.h"
#include "platform/variant.h"

namespace ivarscan {

// Reports `value` and returns what the failing operation is to do. A value that is not an
// error record is first wrapped in one (general code 28, the value's text as ARG). Sharing
// conflicts that allow a default set the network-error flag and return the default at
// once. Otherwise the message (with the call stack) is logged when error logging is on and
// shown in the error box with the choices the record allows; abort does not return: it
// unwinds to the innermost recovery point with the record, or ends the program with exit
// code GENCODE.
ErrorAnswer DEFERROR(const ErrorValue& value, const Variant& variant);

// The factory: a new record filled from `raw`, which is first copied into the process-wide
// raw error structure. A null `raw` is not an error structure: a notice "Error structure has
// wrong tag" is shown and an empty record returned. When no record can be created a notice
// "No error object created !" is shown and null returned.
std::shared_ptr<ErrorRecord> DefErrorGen(const RawError* raw);

// The process-wide raw error structure that the factory copies into and the handler fills
// when it wraps a value.
RawError& ErrorStructure();

// A record built from `raw` through ErrorBuild, or by DefErrorGen directly when no factory
// is registered yet.
std::shared_ptr<ErrorRecord> BuildErrorRecord(const RawError& raw);

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_DEF_ERROR_H_
