// Fuzz target for the texts of the error log: ERRORMESSAGE and the log entry over error
// records made from the input, HEXDUMP of the input's text, and HEXTEXT of its numbers.
// The fatal-signal path writes the same texts into fixed buffers, so each text is also
// built in a FixedOut of a fuzzed size and must come out as a prefix of the full text.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "errors/error.h"
#include "errors/error_log.h"
#include "errors/error_message.h"
#include "errors/hex_text.h"
#include "errors/text_out.h"
#include "fuzz/fuzz_check.h"
#include "platform/runtime_settings.h"
#include "platform/symbol_table.h"
#include "platform/variant.h"

namespace ivarscan {
namespace {

constexpr std::size_t kMaxText = 256;
constexpr std::string_view kNewLine = "\r\n";
constexpr std::string_view kFieldRule = "--------------------\r\n";
constexpr std::size_t kFieldLines = 23;
constexpr std::size_t kLabelLength = 17;

// Symbols the records may name; other numbers are symbols that were never made, which the
// texts must survive too (an OS exception keeps its exception information there).
Symbol FuzzedSymbol(FuzzedDataProvider& input) {
  static const Symbol kKnown[] = {SysAtom("GETVISIBLEIVARS"), SysAtom("REPORTAPPDUP"),
                                  SysAtom("FOpen")};
  if (input.ConsumeBool()) return input.PickValueInArray(kKnown);
  return input.ConsumeIntegral<Symbol>();
}

std::string FuzzedText(FuzzedDataProvider& input) {
  return input.ConsumeRandomLengthString(kMaxText);
}

ErrorRecord FuzzedRecord(FuzzedDataProvider& input, const Variant& variant) {
  ErrorRecord record;
  record.SUBSYSTEM = FuzzedText(input);
  record.SUBCODE =
      input.ConsumeBool() ? variant.os_exception_subcode : input.ConsumeIntegral<std::uint32_t>();
  record.GENCODE = input.ConsumeIntegralInRange<std::uint32_t>(0, 60);
  record.OSCODE = input.ConsumeIntegral<std::uint32_t>();
  record.SEVERITY = input.ConsumeIntegralInRange<std::uint32_t>(0, 4);
  record.CANDEFAULT = input.ConsumeBool();
  record.CANRETRY = input.ConsumeBool();
  record.CANSUBSTITUTE = input.ConsumeBool();
  record.OPERATION = FuzzedText(input);
  record.DESCRIPTION = FuzzedText(input);
  record.FILENAME = FuzzedText(input);
  record.TRIES = input.ConsumeIntegral<std::uint32_t>();
  record.FUNCSYM = FuzzedSymbol(input);
  record.FILEHANDLE = input.ConsumeIntegral<std::uint32_t>();
  record.ARGNUM = input.ConsumeIntegral<std::uint32_t>();
  record.FUNCPTR = reinterpret_cast<const void*>(input.ConsumeIntegral<std::uintptr_t>());
  record.SUBCODETEXT = FuzzedText(input);
  record.ARG = FuzzedText(input);
  record.ARGTYPE = input.ConsumeIntegralInRange<std::uint32_t>(0, 40);
  record.ARGTYPEREQ = input.ConsumeIntegralInRange<std::uint32_t>(0, 40);
  record.MAXSIZE = input.ConsumeIntegral<std::uint32_t>();
  record.SUBSTITUTETYPE = input.ConsumeIntegral<std::uint32_t>();
  record.CALLFUNCSYM = FuzzedSymbol(input);
  return record;
}

RuntimeSettings FuzzedSettings(FuzzedDataProvider& input) {
  RuntimeSettings settings;
  settings.time_separator = input.ConsumeIntegral<char>();
  settings.twelve_hour_clock = input.ConsumeBool();
  settings.am_suffix = input.ConsumeRandomLengthString(kDateTimeTextSize);
  settings.pm_suffix = input.ConsumeRandomLengthString(kDateTimeTextSize);
  settings.date_format = input.ConsumeRandomLengthString(kDateTimeTextSize);
  settings.century = input.ConsumeBool();
  return settings;
}

CivilTime FuzzedTime(FuzzedDataProvider& input) {
  CivilTime time;
  time.year = input.ConsumeIntegral<int>();
  time.month = input.ConsumeIntegral<int>();
  time.day = input.ConsumeIntegral<int>();
  time.hour = input.ConsumeIntegral<int>();
  time.minute = input.ConsumeIntegral<int>();
  time.second = input.ConsumeIntegral<int>();
  return time;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool TextsAreSingleLines(const ErrorRecord& record, std::string_view program) {
  for (std::string_view text :
       {std::string_view(record.SUBSYSTEM), std::string_view(record.OPERATION),
        std::string_view(record.DESCRIPTION), std::string_view(record.FILENAME),
        std::string_view(record.SUBCODETEXT), std::string_view(record.ARG), program}) {
    if (HasLineBreak(text)) return false;
  }
  return !HasLineBreak(SysGetAtomName(record.FUNCSYM)) &&
         !HasLineBreak(SysGetAtomName(record.CALLFUNCSYM));
}

// Builds a text into a FixedOut of `capacity` bytes and checks that it is the full text cut.
template <typename Build>
void CheckFixedPrefix(const std::string& full, std::size_t capacity, Build build) {
  std::vector<char> buffer(capacity);
  FixedOut fixed(buffer.data(), buffer.size());
  build(fixed);
  FuzzCheck(fixed.view() == std::string_view(full).substr(0, capacity),
            "a fixed buffer does not hold the start of the text");
}

void CheckMessage(const std::string& message, const ErrorRecord& record) {
  const std::string_view prefix = record.SEVERITY == 1 ? "WARNING :  " : "Error Code:  ";
  FuzzCheck(message.starts_with(prefix), "the message starts with another prefix");
  FuzzCheck(message.ends_with(kNewLine), "the message does not end in CR LF");
}

// The field block: exactly 23 lines with a 17-character label each, ending at the rule.
void CheckFieldBlock(std::string_view entry) {
  constexpr std::string_view kHeading = "Error Object created:\r\n--------------------\r\n";
  const std::size_t heading = entry.rfind(kHeading);
  FuzzCheck(heading != std::string_view::npos, "the entry has no field block");
  std::string_view fields = entry.substr(heading + kHeading.size());
  FuzzCheck(fields.ends_with(kFieldRule), "the entry does not end with its rule");
  fields.remove_suffix(kFieldRule.size());
  std::size_t lines = 0;
  for (std::size_t at = 0; at < fields.size(); ++lines) {
    const std::size_t end = fields.find(kNewLine, at);
    FuzzCheck(end != std::string_view::npos, "a field line does not end in CR LF");
    FuzzCheck(end - at >= kLabelLength && fields[at + kLabelLength - 1] == ':',
              "a field label is not 17 characters");
    at = end + kNewLine.size();
  }
  FuzzCheck(lines == kFieldLines, "the entry does not have 23 field lines");
}

void CheckRecordTexts(FuzzedDataProvider& input) {
  const Variant& variant = input.ConsumeBool() ? kVariant20 : kVariant25;
  const ErrorRecord record = FuzzedRecord(input, variant);
  const RuntimeSettings settings = FuzzedSettings(input);
  const CivilTime now = FuzzedTime(input);
  const std::string program = FuzzedText(input);
  const std::size_t capacity = input.ConsumeIntegralInRange<std::size_t>(0, 4096);

  const std::string message = ERRORMESSAGE(record, variant);
  CheckMessage(message, record);
  CheckFixedPrefix(message, capacity,
                   [&](TextOut& out) { AppendErrorMessage(out, record, variant); });

  StringOut entry;
  AppendLogEntry(entry, message, record, variant, now, settings, program);
  FuzzCheck(
      entry.text().starts_with("***********************ERROR********************************\r\n"),
      "the entry does not start with its banner");
  FuzzCheck(entry.text().find("\r\n\r\nError Object created:\r\n") != std::string::npos,
            "the message is not followed by an empty line");
  if (TextsAreSingleLines(record, program)) CheckFieldBlock(entry.text());
  CheckFixedPrefix(entry.text(), capacity, [&](TextOut& out) {
    AppendLogEntry(out, message, record, variant, now, settings, program);
  });
}

std::uint64_t HexValue(std::string_view digits) {
  std::uint64_t value = 0;
  for (char c : digits) {
    FuzzCheck((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'), "not an upper-case hex digit");
    value = value * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'A' + 10);
  }
  return value;
}

void CheckHexDump(std::string_view text) {
  const std::string dump = HEXDUMP(text);
  FuzzCheck(dump.size() == 3 * text.size(), "HEXDUMP is not three characters per byte");
  for (std::size_t i = 0; i < text.size(); ++i) {
    FuzzCheck(dump[3 * i + 2] == ' ', "HEXDUMP does not follow each byte with a space");
    FuzzCheck(
        HexValue(std::string_view(dump).substr(3 * i, 2)) == static_cast<unsigned char>(text[i]),
        "HEXDUMP shows another byte");
  }
  FuzzCheck(HEXTEXT(text) == dump, "HEXTEXT of a text is not its HEXDUMP");
}

void CheckHexNumbers(FuzzedDataProvider& input) {
  const std::uint32_t word = input.ConsumeIntegral<std::uint32_t>();
  FuzzCheck(HEXTEXT(word).size() == 8 && HexValue(HEXTEXT(word)) == word, "HEXTEXT of a word");
  // Half the time any bit pattern (infinities and NaN included), half a whole number near
  // the 32-bit range, where the two forms of the number meet.
  const double value = input.ConsumeBool()
                           ? std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>())
                           : static_cast<double>(input.ConsumeIntegralInRange<std::int64_t>(
                                 -(1LL << 32), 1LL << 33));
  const std::string text25 = HEXTEXT(value, kVariant25);
  const bool whole_word =
      std::trunc(value) == value && value >= -2147483647.0 && value <= 4294967295.0;
  FuzzCheck(text25.size() == (whole_word ? 8u : 16u), "HEXTEXT of a number has another length");
  if (whole_word) {
    const auto expected = static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
    FuzzCheck(HexValue(text25) == expected, "HEXTEXT of a whole number shows another word");
  }
  const std::string text20 = HEXTEXT(value, kVariant20);
  if (!std::isfinite(value)) {
    FuzzCheck(text20.size() == 16, "HEXTEXT of infinity or NaN is not its bit pattern");
    return;
  }
  const std::string_view digits = std::string_view(text20).substr(text20.starts_with('-') ? 1 : 0);
  FuzzCheck(!digits.empty() && (digits == "0" || digits.front() != '0'),
            "HEXTEXT by division has leading zeros");
  FuzzCheck(text20.starts_with('-') == (value <= -1.0), "HEXTEXT by division has another sign");
  const double whole = std::floor(std::fabs(value));
  if (whole < 0x1p64) {
    FuzzCheck(HexValue(digits) == static_cast<std::uint64_t>(whole),
              "HEXTEXT by division shows another number");
  }
}

}  // namespace
}  // namespace ivarscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  ivarscan::CheckHexNumbers(input);
  ivarscan::CheckRecordTexts(input);
  ivarscan::CheckHexDump(input.ConsumeRemainingBytesAsString());
  return 0;
}
