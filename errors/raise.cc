#include "errors/raise.h"

#include <exception>
#include <new>

#include "errors/def_error.h"
#include "platform/error_box.h"
#include "platform/error_codes.h"
#include "platform/recovery_point.h"
#include "platform/runtime_state.h"

namespace ivarscan {
namespace {

constexpr char kFileSubsystem[] = "FILE";
constexpr char kProgramSubsystem[] = "IVARSCAN";

RawError Failure(const char* subsystem, std::uint32_t gencode, const char* description) {
  RawError raw{};
  raw.sub_system = subsystem;
  raw.gen_code = gencode;
  raw.severity = 2;
  raw.description = description;
  return raw;
}

struct ExceptionFacts {
  std::uint32_t gencode;
  std::string description;
};

ExceptionFacts CurrentExceptionFacts() {
  try {
    throw;
  } catch (const std::bad_alloc& error) {
    return {gencode::kMemory, error.what()};
  } catch (const std::exception& error) {
    return {gencode::kException, error.what()};
  } catch (...) {
    return {gencode::kException, "unknown exception"};
  }
}

ErrorAnswer RaiseException(const ExceptionFacts& facts, const char* operation, bool can_default,
                           bool can_retry) {
  RawError raw = Failure(kProgramSubsystem, facts.gencode, facts.description.c_str());
  raw.operation = operation;
  raw.can_default = can_default;
  raw.can_retry = can_retry;
  return RaiseError(raw);
}

}  // namespace

ErrorAnswer RaiseError(const RawError& raw) {
  std::shared_ptr<ErrorRecord> record = BuildErrorRecord(raw);
  const ErrorHandler& handler = ErrorBlock();
  if (record != nullptr && handler) return handler(ErrorValue(std::move(record)));
  ErrorNoticeBox(raw.description != nullptr ? raw.description : ErrString(raw.gen_code), "ERROR");
  if (raw.can_default != 0) return {};
  ErrorLevel(static_cast<int>(raw.gen_code));
  QuitProgram();
}

FileErrorAnswer RaiseFileError(std::uint32_t gencode, std::error_code os_error,
                               const std::string& file_name, const char* operation,
                               std::uint32_t tries, std::uint32_t handle) {
  const std::string description = os_error.message();
  RawError raw = Failure(kFileSubsystem, gencode, description.c_str());
  raw.os_code = static_cast<std::uint32_t>(os_error.value());
  raw.can_default = 1;
  raw.can_retry = 1;
  raw.operation = operation;
  raw.file_name = file_name.c_str();
  raw.tries = tries;
  raw.file_handle = handle;
  const ErrorAnswer answer = RaiseError(raw);
  return answer.kind == ErrorAnswer::Kind::kRetry ? FileErrorAnswer::kRetry
                                                  : FileErrorAnswer::kDefault;
}

ErrorAnswer RaiseCurrentException(const char* operation, bool can_default, bool can_retry) {
  return RaiseException(CurrentExceptionFacts(), operation, can_default, can_retry);
}

int RunReportingExceptions(const char* operation, const std::function<int()>& run) {
  try {
    return run();
  } catch (const ErrorBreak&) {
    throw;
  } catch (...) {
    const ExceptionFacts facts = CurrentExceptionFacts();
    RaiseException(facts, operation, false, false);
    return static_cast<int>(facts.gencode);
  }
}

void RaiseInternalError(std::uint32_t first, std::uint32_t second, const std::string& text) {
  RawError raw = Failure(kProgramSubsystem, gencode::kInternal, text.c_str());
  raw.sub_code = first;
  raw.os_code = second;
  raw.can_default = 1;
  RaiseError(raw);
}

}  // namespace ivarscan
