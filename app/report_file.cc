#include "app/report_file.h"

#include <utility>

#include "errors/raise.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

FileFailureAnswer RaiseReportFileFailure(const FileFailure& failure) {
  return RaiseFileError(failure.general_code, failure.error, failure.file_name, failure.operation,
                        failure.tries, failure.handle) == FileErrorAnswer::kRetry
             ? FileFailureAnswer::kRetry
             : FileFailureAnswer::kAbandon;
}

ReportFile::ReportFile(Env& env, std::string file_name, FileFailureHandler on_failure)
    : env_(env), file_name_(std::move(file_name)), on_failure_(std::move(on_failure)) {
  std::uint32_t tries = 0;
  while (std::error_code error = env_.NewWritableFile(file_name_, &file_)) {
    OnFailure(gencode::kCreate, error, "FCREATE", ++tries);
  }
  on_quit_ = std::make_unique<QuitRegistration>([this] { WriteOut(); });
}

ReportFile::~ReportFile() {
  on_quit_.reset();
  WriteOut();
  if (file_) file_->Close();
}

void ReportFile::Write(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kFlushSize) Flush();
}

void ReportFile::Close() {
  Flush();
  std::uint32_t tries = 0;
  while (std::error_code error = file_->Close()) {
    OnFailure(gencode::kClose, error, "FCLOSE", ++tries);
  }
  file_.reset();
}

void ReportFile::Flush() {
  std::uint32_t tries = 0;
  for (;;) {
    std::size_t written = 0;
    const std::error_code error = file_->Write(buffer_, &written);
    buffer_.erase(0, written);  // a retry goes on where this write stopped
    if (!error) return;
    OnFailure(gencode::kWrite, error, "FWRITE", ++tries);
  }
}

void ReportFile::WriteOut() {
  if (!file_ || buffer_.empty()) return;
  std::size_t written = 0;
  file_->Write(buffer_, &written);
  buffer_.erase(0, written);
}

void ReportFile::OnFailure(std::uint32_t general_code, std::error_code error, const char* operation,
                           std::uint32_t tries) {
  const FileFailure failure{general_code, error, file_name_,
                            operation,    tries, file_ ? file_->NativeHandle() : 0u};
  if (!on_failure_ || on_failure_(failure) == FileFailureAnswer::kAbandon) {
    throw ReportAbandoned();
  }
}

}  // namespace ivarscan
