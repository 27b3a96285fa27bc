#include "errors/error_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "errors/error_message.h"
#include "errors/testing/error_handling_test.h"
#include "platform/error_codes.h"
#include "platform/os_exception.h"
#include "platform/testing/golden.h"
#include "platform/version.h"

namespace ivarscan {
namespace {

constexpr CivilTime kNow{2026, 12, 7, 21, 4, 5};

RuntimeSettings GermanSettings() {
  RuntimeSettings settings;
  settings.date_format = "DD.MM.YYYY";
  settings.century = true;
  return settings;
}

ErrorRecord FileRecord() {
  ErrorRecord record;
  record.SUBSYSTEM = "FILE";
  record.GENCODE = gencode::kCreate;
  record.OSCODE = 13;
  record.SEVERITY = 2;
  record.CANDEFAULT = true;
  record.CANRETRY = true;
  record.OPERATION = "REPORTALL";
  record.DESCRIPTION = "Permission denied";
  record.FILENAME = std::string(60, 'f');
  record.TRIES = 2;
  record.ARGTYPEREQ = typecode::kString;
  record.CALLFUNCSYM = SysAtom("FCREATE");
  return record;
}

std::string Entry(const ErrorRecord& record, const Variant& variant,
                  const RuntimeSettings& settings) {
  StringOut out;
  AppendLogEntry(out, ERRORMESSAGE(record, variant), record, variant, kNow, settings,
                 "/opt/ivarscan/ivarscan");
  return out.text();
}

// The entry with the program's version replaced by @VERSION@, as the golden files hold it:
// the version is the build's, the rest of the line is the format's.
std::string WithVersionPlaceholder(std::string entry) {
  const std::string version = kProgramVersion;
  const std::size_t at = entry.find(" " + version + "\r\n");
  if (at != std::string::npos) entry.replace(at + 1, version.size(), "@VERSION@");
  return entry;
}

// The whole entry of a file error in each variant; the expected bytes are golden files.
TEST(ErrorLogTest, EntryOfAFileErrorInEachVariant) {
  EXPECT_TRUE(
      MatchesGolden("error-log-entry.txt",
                    WithVersionPlaceholder(Entry(FileRecord(), kVariant25, GermanSettings()))));
  RuntimeSettings settings;
  settings.twelve_hour_clock = true;
  settings.pm_suffix = " PM";
  EXPECT_TRUE(MatchesGolden("error-log-entry-ide20.txt",
                            WithVersionPlaceholder(Entry(FileRecord(), kVariant20, settings))));
}

ErrorRecord ExceptionRecord(std::uint32_t subcode) {
  ErrorRecord record;
  record.SUBSYSTEM = "OS";
  record.SUBCODE = subcode;
  record.GENCODE = gencode::kOsException;
  record.OSCODE = 0xC0000005;
  record.ARGTYPE = 1;
  record.FUNCPTR = reinterpret_cast<const void*>(0x1234ABCD);
  record.ARGNUM = 2;
  record.FUNCSYM = 0x0012FF00;
  record.SEVERITY = 2;
  return record;
}

std::string Fields(const std::string& entry) {
  const std::string start = "Error Object created:\r\n--------------------\r\n";
  const std::size_t begin = entry.find(start) + start.size();
  return entry.substr(begin, entry.find("Severity        :") - begin);
}

TEST(ErrorLogTest, ExceptionFieldsReplaceTheFailureFields) {
  const std::string address = std::string(2 * sizeof(void*) - 8, '0') + "1234ABCD";
  const std::string expected =
      "SubSystem       :OS\r\n"
      "SubCode         :5333\r\n"
      "GenCode         :Operating-system exception\r\n"
      "ExceptionCode   :C0000005\r\n"
      "ExceptionFlags  :00000001\r\n"
      "ExceptionAddress:" +
      address +
      "\r\n"
      "ParamNumber     :2\r\n"
      "ExceptionInfo   :0012FF00\r\n";
  EXPECT_EQ(Fields(Entry(ExceptionRecord(5333), kVariant25, {})), expected);
  std::string ide20 = expected;
  ide20.replace(ide20.find("5333"), 4, "4660");
  EXPECT_EQ(Fields(Entry(ExceptionRecord(4660), kVariant20, {})), ide20);
  // 5333 is no exception marker for the IDE 2.0 variant.
  EXPECT_NE(
      Fields(Entry(ExceptionRecord(5333), kVariant20, {})).find("OsCode          :3221225477"),
      std::string::npos);
}

TEST(ErrorLogTest, EveryBranchHasTwentyThreeFieldLinesWithSeventeenCharacterLabels) {
  for (const ErrorRecord& record : {FileRecord(), ExceptionRecord(5333)}) {
    const std::string entry = Entry(record, kVariant25, {});
    const std::string rule = "--------------------\r\n";
    const std::size_t begin = entry.find("Error Object created:\r\n" + rule) + 23 + rule.size();
    const std::size_t end = entry.rfind(rule);
    int lines = 0;
    for (std::size_t at = begin; at < end; at = entry.find("\r\n", at) + 2) {
      EXPECT_EQ(entry[at + 16], ':') << entry.substr(at, 20);
      ++lines;
    }
    EXPECT_EQ(lines, 23);
  }
}

class ErrorLogFileTest : public ErrorHandlingTest {};

TEST_F(ErrorLogFileTest, EntriesAreSeparatedByAnEmptyLine) {
  EXPECT_EQ(ErrorLogPath(), folder_ + "/VOERROR.LOG");
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<WritableFile> log = OPENERRORLOG();
    ASSERT_NE(log, nullptr);
    WRITEERRORLOG(*log, "message\r\n", FileRecord(), kVariant25);
    ASSERT_FALSE(log->Close());
  }
  const std::string contents = ReadLog();
  EXPECT_EQ(contents.rfind("*****", 0), 0u);
  const std::size_t second = contents.find("\r\n\r\n*****");
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(contents.find("*****", second + 4), second + 4);
  EXPECT_EQ(contents.substr(second - 20, 20), "--------------------");
  EXPECT_NE(contents.find("Application: " + EXEFILENAME() + "\r\n"), std::string::npos);
}

// Writes `count` entries the way the handler does, each through its own open and close.
void WriteEntries(int count) {
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<WritableFile> log = OPENERRORLOG();
    if (log == nullptr) ::_exit(1);
    WRITEERRORLOG(*log, "message\r\n", FileRecord(), kVariant25);
    log->Close();
  }
}

TEST_F(ErrorLogFileTest, TwoProcessesWritingAtOnceLoseNoEntry) {
  constexpr int kEntries = 1000;
  pid_t writers[2];
  for (pid_t& writer : writers) {
    writer = ::fork();
    if (writer == 0) {
      WriteEntries(kEntries);
      ::_exit(0);
    }
  }
  for (pid_t writer : writers) {
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  // 2,000 whole entries, each but the first preceded by one empty line.
  StringOut one;
  AppendLogEntry(one, "message\r\n", FileRecord(), kVariant25, kNow, Settings(), EXEFILENAME());
  const std::string log = ReadLog();
  const std::string separator = "--------------------\r\n\r\n*****";
  int entries = 0;
  std::size_t at = 0;
  for (;;) {
    ++entries;
    const std::size_t next = log.find(separator, at);
    const std::size_t end = next == std::string::npos ? log.size() : next + 22;
    EXPECT_EQ(end - at, one.text().size()) << "entry " << entries;
    if (next == std::string::npos) break;
    at = next + 24;
  }
  EXPECT_EQ(entries, 2 * kEntries);
}

TEST_F(ErrorLogFileTest, ALogThatIsNoRegularFileIsLeftAloneAtOnce) {
  ASSERT_EQ(::mkfifo(LogPath().c_str(), 0644), 0);
  // Opening a named pipe for writing would wait for a reader: the child is given a few
  // seconds before the alarm ends it.
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(5);
    int error = 0;
    const bool refused =
        OPENERRORLOG() == nullptr && SignalSafeOpenForAppend(LogPath().c_str(), &error) < 0;
    ::_exit(refused ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(ErrorLogFileTest, MissingFolderBlamesAndResetsTheDefaultFolder) {
  std::vector<std::shared_ptr<ErrorRecord>> raised;
  ErrorBlock([&](const ErrorValue& value) {
    raised.push_back(std::get<std::shared_ptr<ErrorRecord>>(value));
    EXPECT_EQ(OPENERRORLOG(), nullptr);  // no second internal error while handling one
    return ErrorAnswer{};
  });
  SetWorkDir(folder_ + "/missing");
  SetDefaultDir("D:\\work");
  SetDefault("C:\\data");
  EXPECT_EQ(OPENERRORLOG(), nullptr);
  EXPECT_EQ(OPENERRORLOG(), nullptr);
  ASSERT_EQ(raised.size(), 2u);
  EXPECT_EQ(raised[0]->DESCRIPTION, "SetDefaultDir: D:\\work");
  EXPECT_EQ(raised[1]->DESCRIPTION, "SetDefault: C:\\data");
  EXPECT_EQ(raised[0]->GENCODE, gencode::kInternal);
  EXPECT_EQ(raised[0]->SUBCODE, 1u);
  EXPECT_EQ(GetDefaultDir(), "");
  EXPECT_EQ(GetDefault(), "");
}

}  // namespace
}  // namespace ivarscan
