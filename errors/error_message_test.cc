#include "errors/error_message.h"

#include <gtest/gtest.h>

#include "platform/call_stack.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

ErrorRecord FullRecord() {
  ErrorRecord record;
  record.SUBSYSTEM = "FILE";
  record.SUBCODE = 1003;
  record.SUBCODETEXT = "handle";
  record.GENCODE = gencode::kWrite;
  record.SEVERITY = 2;
  record.OPERATION = "REPORTALL";
  record.FUNCSYM = SysAtom("FWRITE");
  record.FILENAME = "DUPIVars25.TXT";
  record.ARG = "abc";
  record.ARGTYPE = typecode::kString;
  record.ARGNUM = 2;
  record.ARGTYPEREQ = typecode::kLong;
  record.DESCRIPTION = "No space left on device";
  return record;
}

TEST(ErrorMessageTest, EveryLineInOrder) {
  EXPECT_EQ(ERRORMESSAGE(FullRecord(), kVariant25),
            "Error Code:  24 [ CANNOT WRITE FILE ]\r\n"
            "Subsystem: FILE\r\n"
            "Error Subcode: 1003 (handle)\r\n"
            "Operation: REPORTALL\r\n"
            "Function: FWRITE\r\n"
            "Filename: DUPIVars25.TXT\r\n"
            "Argument: abc\r\n"
            "Type: STRING\r\n"
            "Argument Number: 2\r\n"
            "Requested type: LONGINT\r\n"
            "Description: No space left on device\r\n");
}

TEST(ErrorMessageTest, Ide20NamesTheCodeWithoutNumberAndPutsTheDescriptionBelow) {
  EXPECT_EQ(ERRORMESSAGE(FullRecord(), kVariant20),
            "Error Code:  CANNOT WRITE FILE\r\n"
            "No space left on device\r\n"
            "Subsystem: FILE\r\n"
            "Error Subcode: 1003 (handle)\r\n"
            "Operation: REPORTALL\r\n"
            "Function: FWRITE\r\n"
            "Filename: DUPIVars25.TXT\r\n"
            "Argument: abc\r\n"
            "Type: STRING\r\n"
            "Argument Number: 2\r\n"
            "Requested type: LONGINT\r\n"
            "Description: No space left on device\r\n");
  ErrorRecord bare;
  bare.GENCODE = gencode::kOpen;
  EXPECT_EQ(ERRORMESSAGE(bare, kVariant20), "Error Code:  CANNOT OPEN FILE\r\n");
}

TEST(ErrorMessageTest, WarningWithoutGeneralCodeShowsTheDescription) {
  ErrorRecord record;
  record.SEVERITY = 1;
  record.DESCRIPTION = "Disk almost full";
  const std::string expected =
      "WARNING :  Disk almost full\r\n"
      "Description: Disk almost full\r\n";
  EXPECT_EQ(ERRORMESSAGE(record, kVariant25), expected);
  EXPECT_EQ(ERRORMESSAGE(record, kVariant20), expected);
}

TEST(ErrorMessageTest, LinesThatAreLeftOut) {
  ErrorRecord record;
  record.GENCODE = gencode::kArgument;
  record.SEVERITY = 3;
  record.SUBCODE = 7;                      // without sub-code text
  record.FILENAME = std::string(60, 'x');  // cut to 40
  record.ARGTYPE = typecode::kString;      // no ARG: no Argument, no Type
  record.ARGTYPEREQ = typecode::kString;   // equal: no Requested type
  EXPECT_EQ(ERRORMESSAGE(record, kVariant25),
            "Error Code:  1 [ INVALID ARGUMENT ]\r\n"
            "Error Subcode: 7\r\n"
            "Filename: " +
                std::string(40, 'x') + "\r\n");
}

int nest_line = 0;

void Nest(int levels, std::string* text) {
  IVARSCAN_ROUTINE(levels % 2 == 0 ? "EVEN" : "ODD");
  nest_line = __LINE__ - 1;
  if (levels > 1) {
    Nest(levels - 1, text);
    return;
  }
  StringOut out;
  AppendCallStack(out);
  *text = out.text();
}

TEST(ErrorMessageTest, CallStackListsAtMostFiveLevels) {
  std::string text;
  Nest(7, &text);
  const std::string at = " (Line: " + std::to_string(nest_line) + ")\r\n";
  EXPECT_EQ(text, "CallStack: \r\nODD" + at + "EVEN" + at + "ODD" + at + "EVEN" + at + "ODD" + at);
}

TEST(ErrorMessageTest, CallStackStopsAtTheFirstLevelWithoutLine) {
  const RoutineScope outer("OUTER", 12);
  {
    const RoutineScope anonymous("", 0);
    StringOut out;
    AppendCallStack(out);
    EXPECT_EQ(out.text(), "");
  }
  const RoutineScope middle("MIDDLE", 34);
  const RoutineScope gap("GAP", 0);
  const RoutineScope inner("INNER", 56);
  StringOut out;
  AppendCallStack(out);
  EXPECT_EQ(out.text(), "CallStack: \r\nINNER (Line: 56)\r\n");
}

}  // namespace
}  // namespace ivarscan
