// The runtime's error services: the raw error structure in which a failure is reported,
// the slot of the installed error handler (ErrorBlock), the registered factory that turns
// a raw structure into an error record (ErrorFunc) and the building of records through it
// (ErrorBuild).
//
// The error record class ErrorRecord belongs to the errors layer; the services only pass it on.
#ifndef IVARSCAN_PLATFORM_ERROR_SERVICES_H_
#define IVARSCAN_PLATFORM_ERROR_SERVICES_H_

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/symbol_table.h"

namespace ivarscan {

class ErrorRecord;

static_assert(std::endian::native == std::endian::little,
              "the raw error structure holds little-endian words");

// A failure as the runtime reports it. The fields keep the documented order; numeric and
// logic fields are 32-bit words (logic: non-zero = true), text fields point to
// zero-terminated single-byte text (null = empty) and pointer fields are native pointers,
// so the structure is 100 bytes on 32-bit targets and larger on 64-bit ones.
struct RawError {
  const char* sub_system;
  std::uint32_t sub_code;
  std::uint32_t gen_code;
  std::uint32_t os_code;
  std::uint32_t severity;
  std::uint32_t can_default;
  std::uint32_t can_retry;
  std::uint32_t can_substitute;
  const char* operation;
  const char* description;
  const char* file_name;
  const void* args;  // a RawArgumentList, null = none
  std::uint32_t tries;
  Symbol func_sym;
  std::uint32_t file_handle;
  std::uint32_t arg_num;
  const void* func_ptr;
  const char* sub_code_text;
  const char* arg;
  std::uint32_t arg_type;
  std::uint32_t arg_type_req;
  std::uint32_t max_size;
  std::uint32_t substitute_type;
  std::uint32_t choice;
  Symbol call_func_sym;
};

static_assert(sizeof(void*) != 4 || sizeof(RawError) == 100);

// The argument list of a raw error: two 16-bit counts at offsets 0 and 2 (the larger one is
// the number of arguments), followed from offset 4 by the arguments, each a text pointer
// (possibly unaligned). Build one with MakeRawArgumentList.
struct RawArgumentList {
  std::uint16_t count_a;
  std::uint16_t count_b;
};

// Returns the bytes of an argument list holding `arguments` (pointers kept, not copied).
std::basic_string<unsigned char> MakeRawArgumentList(const std::vector<const char*>& arguments);

// Reads the arguments of a raw argument list; empty for null.
std::vector<std::string> ReadRawArguments(const void* list);

// What the error handler is given: an error record, or any other value, which reaches the
// handler as its text form.
using ErrorValue = std::variant<std::shared_ptr<ErrorRecord>, std::string>;

// What the handler tells the failing operation.
struct ErrorAnswer {
  enum class Kind {
    kDefault,     // go on with the operation's default result (the handler returned false)
    kRetry,       // try the operation again (true)
    kSubstitute,  // use the empty value of `substitute_type` instead of the result
  };
  Kind kind = Kind::kDefault;
  std::uint32_t substitute_type = 0;

  friend bool operator==(const ErrorAnswer&, const ErrorAnswer&) = default;
};

// A handler may also not return: the program ends, or control unwinds to a recovery point
// (platform/recovery_point.h).
using ErrorHandler = std::function<ErrorAnswer(const ErrorValue&)>;

// The installed handler; an empty function when none is installed.
const ErrorHandler& ErrorBlock();

// Installs `handler` (an empty function removes the handler) and returns the one installed
// before.
ErrorHandler ErrorBlock(ErrorHandler handler);

// Turns a raw error structure into a new error record; may return null when no record can
// be created.
using ErrorFactory = std::shared_ptr<ErrorRecord> (*)(const RawError* raw);

// Registers the factory that ErrorBuild uses and returns the previous one (null = none).
ErrorFactory ErrorFunc(ErrorFactory factory);

// Returns a record built from `raw` by the registered factory; null when no factory is
// registered or it could not create one.
std::shared_ptr<ErrorRecord> ErrorBuild(const RawError& raw);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_ERROR_SERVICES_H_
