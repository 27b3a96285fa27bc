#include "app/report_file.h"

#include <utility>

#include "errors/raise.h"

namespace ivarscan {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

FileFailureAnswer RaiseReportFileFailure(std::uint32_t general_code, std::error_code error,
                                         const std::string& file_name, const char* operation) {
  return RaiseFileError(general_code, error, file_name, operation) == FileErrorAnswer::kRetry
             ? FileFailureAnswer::kRetry
             : FileFailureAnswer::kAbandon;
}

ReportFile::ReportFile(Env& env, std::string file_name, FileFailureHandler on_failure)
    : env_(env), file_name_(std::move(file_name)), on_failure_(std::move(on_failure)) {
  while (std::error_code error = env_.NewWritableFile(file_name_, &file_)) {
    OnFailure(kCreateErrorCode, error, "FCREATE");
  }
}

ReportFile::~ReportFile() = default;

void ReportFile::Write(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kFlushSize) Flush();
}

void ReportFile::Close() {
  Flush();
  while (std::error_code error = file_->Close()) OnFailure(kCloseErrorCode, error, "FCLOSE");
}

void ReportFile::Flush() {
  while (std::error_code error = file_->Append(buffer_)) {
    OnFailure(kWriteErrorCode, error, "FWRITE");
  }
  buffer_.clear();
}

void ReportFile::OnFailure(std::uint32_t general_code, std::error_code error,
                           const char* operation) {
  if (!on_failure_ || on_failure_(general_code, error, file_name_, operation) ==
                          FileFailureAnswer::kAbandon) {
    throw ReportAbandoned();
  }
}

}  // namespace ivarscan
