// ReportWriter: the open report file as the analysis sees it. The report run owns the file
// and decides what a failing write leads to; the analysis only writes.
#ifndef IVARSCAN_ENGINE_REPORT_WRITER_H_
#define IVARSCAN_ENGINE_REPORT_WRITER_H_

#include <string>
#include <string_view>

namespace ivarscan {

class ReportWriter {
 public:
  virtual ~ReportWriter() = default;

  // Writes the text unchanged.
  virtual void Write(std::string_view text) = 0;

  // Writes the text followed by CR LF.
  void WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
  }
};

// A ReportWriter that keeps everything in memory, for tests and for callers that write
// the file themselves.
class StringReportWriter final : public ReportWriter {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_REPORT_WRITER_H_
