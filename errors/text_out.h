// Text sinks for the error message and the log entry. StringOut grows a string; FixedOut
// fills a caller's buffer and never allocates, so the fatal-signal path can build the same
// texts in signal context.
#ifndef IVARSCAN_ERRORS_TEXT_OUT_H_
#define IVARSCAN_ERRORS_TEXT_OUT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace ivarscan {

class TextOut {
 public:
  virtual void Append(std::string_view text) = 0;

  void Append(char c) { Append(std::string_view(&c, 1)); }
  // `text` with the ASCII letters upper-cased.
  void AppendUpper(std::string_view text);
  // Decimal digits, no padding.
  void AppendDecimal(std::uint64_t value);
  // The low 4 * `digits` bits of `value` as upper-case hexadecimal digits.
  void AppendHex(std::uint64_t value, int digits);

 protected:
  ~TextOut() = default;
};

class StringOut final : public TextOut {
 public:
  using TextOut::Append;
  void Append(std::string_view text) override { text_.append(text); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Cuts what does not fit into the buffer.
class FixedOut final : public TextOut {
 public:
  FixedOut(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}
  using TextOut::Append;
  void Append(std::string_view text) override;
  std::string_view view() const { return {buffer_, length_}; }

 private:
  char* buffer_;
  std::size_t size_;
  std::size_t length_ = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_TEXT_OUT_H_
