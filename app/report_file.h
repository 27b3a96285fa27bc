// ReportFile: the report file of one run. It buffers what the analysis writes and hands
// every failure of creating, writing or closing the file to the run's file-failure
// handler, which either retries the operation or abandons the run.
#ifndef IVARSCAN_APP_REPORT_FILE_H_
#define IVARSCAN_APP_REPORT_FILE_H_

#include <exception>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "engine/report_writer.h"
#include "platform/env.h"

namespace ivarscan {

// Thrown when the file-failure handler abandons the run.
class ReportAbandoned : public std::exception {
 public:
  const char* what() const noexcept override { return "report run abandoned"; }
};

// General error codes of the failing file operations.
inline constexpr std::uint32_t kCreateErrorCode = 20;
inline constexpr std::uint32_t kCloseErrorCode = 22;
inline constexpr std::uint32_t kWriteErrorCode = 24;

// The file-failure handler of both editions: hands the failure to the installed error
// handler, whose Retry tries the operation again and whose Default abandons the run (its
// Abort ends the program).
FileFailureAnswer RaiseReportFileFailure(std::uint32_t general_code, std::error_code error,
                                         const std::string& file_name, const char* operation);

class ReportFile final : public ReportWriter {
 public:
  // Creates the file, truncating an existing one. Throws ReportAbandoned when it cannot be
  // created and the handler gives up.
  ReportFile(Env& env, std::string file_name, FileFailureHandler on_failure);
  ~ReportFile() override;

  void Write(std::string_view text) override;

  // Writes what is buffered and closes the file. Throws ReportAbandoned as above.
  void Close();

 private:
  void Flush();
  // Asks the handler about a failure; returns normally only for a retry.
  void OnFailure(std::uint32_t general_code, std::error_code error, const char* operation);

  Env& env_;
  const std::string file_name_;
  const FileFailureHandler on_failure_;
  std::unique_ptr<WritableFile> file_;
  std::string buffer_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_REPORT_FILE_H_
