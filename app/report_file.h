// ReportFile: the report file of one run. It buffers what the analysis writes and hands
// every failure of creating, writing or closing the file to the run's file-failure
// handler, which either retries the operation or abandons the run. Whatever was written
// reaches the file however the run ends: a retried write goes on where the failed one
// stopped, and what is buffered when the run is abandoned, unwinds or quits is written
// then, as an unbuffered writer would have left the file.
#ifndef IVARSCAN_APP_REPORT_FILE_H_
#define IVARSCAN_APP_REPORT_FILE_H_

#include <exception>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "engine/report_writer.h"
#include "platform/env.h"
#include "platform/runtime_state.h"

namespace ivarscan {

// Thrown when the file-failure handler abandons the run.
class ReportAbandoned : public std::exception {
 public:
  const char* what() const noexcept override { return "report run abandoned"; }
};

// The file-failure handler of both editions: hands the failure to the installed error
// handler, whose Retry tries the operation again and whose Default abandons the run (its
// Abort ends the program).
FileFailureAnswer RaiseReportFileFailure(const FileFailure& failure);

class ReportFile final : public ReportWriter {
 public:
  // Creates the file, truncating an existing one. Throws ReportAbandoned when it cannot be
  // created and the handler gives up.
  ReportFile(Env& env, std::string file_name, FileFailureHandler on_failure);
  // Not copied or moved: the program's quit hook refers to this object.
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  // Writes what is still buffered, without asking anyone about failures, and closes the
  // file when Close() did not.
  ~ReportFile() override;

  void Write(std::string_view text) override;

  // Writes what is buffered and closes the file. Throws ReportAbandoned as above. A close
  // that failed is reported again on every retry: the file is complete only when the
  // system took the close.
  void Close();

 private:
  void Flush();
  // Writes what is buffered once, failures ignored.
  void WriteOut();
  // Asks the handler about the `tries`th failure of an operation; returns normally only
  // for a retry.
  void OnFailure(std::uint32_t general_code, std::error_code error, const char* operation,
                 std::uint32_t tries);

  Env& env_;
  const std::string file_name_;
  const FileFailureHandler on_failure_;
  std::unique_ptr<WritableFile> file_;
  std::string buffer_;
  // Writes the buffer out when the program quits through the error handler's abort.
  std::unique_ptr<QuitRegistration> on_quit_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_REPORT_FILE_H_
