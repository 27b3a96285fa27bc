#include "errors/def_error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "errors/error_log.h"
#include "errors/testing/error_handling_test.h"
#include "platform/call_stack.h"
#include "platform/error_codes.h"
#include "platform/recovery_point.h"

// Allocations of at least this many bytes fail while it is not 0, as when memory runs out
// just as an error record is to be made.
std::size_t fail_allocations_from = 0;

void* operator new(std::size_t size) {
  if (fail_allocations_from != 0 && size >= fail_allocations_from) throw std::bad_alloc();
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace ivarscan {
namespace {

// ---- The factory ----

class DefErrorGenTest : public ErrorHandlingTest {};

TEST_F(DefErrorGenTest, FillsEveryFieldFromTheRawStructure) {
  const std::vector<const char*> arguments = {"first", nullptr, "third"};
  std::basic_string<unsigned char> list = MakeRawArgumentList(arguments);
  list[2] = 3;  // the larger of the two counts decides
  list[0] = 1;
  int function = 0;
  const RawError raw{"FILE",
                     7,
                     gencode::kRead,
                     5,
                     2,
                     1,
                     0,
                     1,
                     "FREAD",
                     "bad sector",
                     "a.txt",
                     list.data(),
                     4,
                     SysAtom("FREAD"),
                     9,
                     2,
                     &function,
                     "sector",
                     "arg text",
                     typecode::kString,
                     typecode::kLong,
                     512,
                     typecode::kLogic,
                     3,
                     SysAtom("CALLER")};
  std::shared_ptr<ErrorRecord> record = DefErrorGen(&raw);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->SUBSYSTEM, "FILE");
  EXPECT_EQ(record->SUBCODE, 7u);
  EXPECT_EQ(record->GENCODE, gencode::kRead);
  EXPECT_EQ(record->OSCODE, 5u);
  EXPECT_EQ(record->SEVERITY, 2u);
  EXPECT_TRUE(record->CANDEFAULT);
  EXPECT_FALSE(record->CANRETRY);
  EXPECT_TRUE(record->CANSUBSTITUTE);
  EXPECT_EQ(record->OPERATION, "FREAD");
  EXPECT_EQ(record->DESCRIPTION, "bad sector");
  EXPECT_EQ(record->FILENAME, "a.txt");
  EXPECT_EQ(record->ARGS, (std::vector<std::string>{"first", "", "third"}));
  EXPECT_EQ(record->TRIES, 4u);
  EXPECT_STREQ(SysGetAtomName(record->FUNCSYM), "FREAD");
  EXPECT_EQ(record->FILEHANDLE, 9u);
  EXPECT_EQ(record->ARGNUM, 2u);
  EXPECT_EQ(record->FUNCPTR, &function);
  EXPECT_EQ(record->SUBCODETEXT, "sector");
  EXPECT_EQ(record->ARG, "arg text");
  EXPECT_EQ(record->ARGTYPE, typecode::kString);
  EXPECT_EQ(record->ARGTYPEREQ, typecode::kLong);
  EXPECT_EQ(record->MAXSIZE, 512u);
  EXPECT_EQ(record->SUBSTITUTETYPE, typecode::kLogic);
  EXPECT_EQ(record->CHOICE, 3u);
  EXPECT_STREQ(SysGetAtomName(record->CALLFUNCSYM), "CALLER");
  EXPECT_FALSE(record->CARGO.has_value());
  EXPECT_EQ(ErrorStructure().gen_code, gencode::kRead);  // copied into the own structure
  EXPECT_EQ(ErrorStructure().description, raw.description);
}

TEST_F(DefErrorGenTest, NullTextsAndNoArgumentListGiveEmptyFields) {
  const RawError raw{};
  std::shared_ptr<ErrorRecord> record = DefErrorGen(&raw);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->SUBSYSTEM, "");
  EXPECT_TRUE(record->ARGS.empty());
  EXPECT_TRUE(box_.notices().empty());
}

TEST_F(DefErrorGenTest, SomethingThatIsNoStructureGivesAnEmptyRecordAndANotice) {
  std::shared_ptr<ErrorRecord> record = DefErrorGen(nullptr);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GENCODE, 0u);
  ASSERT_EQ(box_.notices().size(), 1u);
  EXPECT_EQ(box_.notices()[0].text, "Error structure has wrong tag");
  EXPECT_EQ(box_.notices()[0].caption, "FROM DefErrorGen");
}

TEST_F(DefErrorGenTest, ErrorBuildUsesTheRegisteredFactory) {
  RawError raw{};
  raw.gen_code = gencode::kClose;
  EXPECT_EQ(ErrorBuild(raw), nullptr);
  ErrorFunc(DefErrorGen);
  std::shared_ptr<ErrorRecord> record = ErrorBuild(raw);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GENCODE, gencode::kClose);
}

// ---- The handler ----

class DefErrorTest : public ErrorHandlingTest {
 protected:
  static std::shared_ptr<ErrorRecord> Record(std::uint32_t gencode, std::uint32_t oscode = 0) {
    auto record = std::make_shared<ErrorRecord>();
    record->GENCODE = gencode;
    record->OSCODE = oscode;
    record->SEVERITY = 2;
    record->CANDEFAULT = true;
    return record;
  }
};

TEST_F(DefErrorTest, DefaultChoiceReturnsTheDefaultAfterLoggingAndShowing) {
  auto record = Record(gencode::kWrite, 28);
  record->CANRETRY = true;
  box_.OnShow([&] {
    EXPECT_NE(ReadLog().find("Error Code:  24 [ CANNOT WRITE FILE ]"), std::string::npos);
  });
  box_.Answer(kDefaultChoice);
  EXPECT_EQ(DEFERROR(record, kVariant25), ErrorAnswer{});
  ASSERT_EQ(box_.shown().size(), 1u);
  const ScriptedErrorBox::Shown& shown = box_.shown()[0];
  EXPECT_EQ(shown.caption, "ERROR");
  EXPECT_EQ(shown.text, "Error Code:  24 [ CANNOT WRITE FILE ]\r\n");
  EXPECT_EQ(shown.default_code, kDefaultChoice);
  EXPECT_EQ(shown.retry_code, kRetryChoice);
  EXPECT_EQ(shown.abort_code, kAbortFlag);
}

TEST_F(DefErrorTest, RetryAndSubstitute) {
  auto record = Record(gencode::kRead);
  record->CANDEFAULT = false;
  record->CANSUBSTITUTE = true;
  record->SUBSTITUTETYPE = typecode::kString;
  box_.Answer(kRetryChoice);
  box_.Answer(kDefaultChoice);
  EXPECT_EQ(DEFERROR(record, kVariant25).kind, ErrorAnswer::Kind::kRetry);
  EXPECT_EQ(DEFERROR(record, kVariant25),
            (ErrorAnswer{ErrorAnswer::Kind::kSubstitute, typecode::kString}));
  EXPECT_EQ(box_.shown()[0].default_code, kDefaultChoice);  // substitute counts as default
  EXPECT_EQ(box_.shown()[0].retry_code, 0u);
}

TEST_F(DefErrorTest, SharingConflictsWithADefaultAreAnsweredSilently) {
  for (std::uint32_t oscode : {32u, 33u}) {
    NetErr(false);
    EXPECT_EQ(DEFERROR(Record(gencode::kOpen, oscode), kVariant25), ErrorAnswer{});
    EXPECT_TRUE(NetErr());
  }
  EXPECT_EQ(DEFERROR(Record(gencode::kAppendLock, 5), kVariant25), ErrorAnswer{});
  EXPECT_TRUE(box_.shown().empty());
  EXPECT_EQ(ReadLog(), "");
}

TEST_F(DefErrorTest, OtherConflictsAreReported) {
  NetErr(false);
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kOpen, 5), kVariant25);
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kOpen, 33), kVariant20);  // lock violation is not silent in 2.0
  auto no_default = Record(gencode::kAppendLock);
  no_default->CANRETRY = true;
  no_default->CANDEFAULT = false;
  box_.Answer(kRetryChoice);
  DEFERROR(no_default, kVariant25);
  EXPECT_EQ(box_.shown().size(), 3u);
  EXPECT_FALSE(NetErr());
  EXPECT_EQ(DEFERROR(Record(gencode::kOpen, 32), kVariant20), ErrorAnswer{});
  EXPECT_EQ(box_.shown().size(), 3u);
}

TEST_F(DefErrorTest, CodeFourteenIsNeverRetried) {
  auto record = Record(gencode::kNoVariable);
  record->CANRETRY = true;
  box_.Answer(kDefaultChoice);
  DEFERROR(record, kVariant25);
  EXPECT_EQ(box_.shown()[0].retry_code, 0u);
  EXPECT_FALSE(record->CANRETRY);
  EXPECT_NE(ReadLog().find("CanRetry        :.F.\r\n"), std::string::npos);
}

TEST_F(DefErrorTest, PointerSubstituteRaisesTheSeverityButKeepsTheCaption) {
  auto record = Record(gencode::kArgument);
  record->SEVERITY = 1;
  record->SUBSTITUTETYPE = typecode::kPointer;
  box_.Answer(kDefaultChoice);
  DEFERROR(record, kVariant25);
  EXPECT_EQ(box_.shown()[0].caption, "WARNING");
  // The severity is raised before the message is built.
  EXPECT_EQ(box_.shown()[0].text.rfind("Error Code:  1 [ INVALID ARGUMENT ]", 0), 0u);
  EXPECT_NE(ReadLog().find("Severity        :3\r\n"), std::string::npos);
}

void DeepRoutine(int levels) {
  IVARSCAN_ROUTINE("DEEP");
  if (levels > 1) {
    DeepRoutine(levels - 1);
    return;
  }
  DEFERROR(std::make_shared<ErrorRecord>(), kVariant25);
}

TEST_F(DefErrorTest, MessageListsFiveCallStackLevelsAndTheLogRepeatsIt) {
  box_.Answer(kDefaultChoice);
  DeepRoutine(8);
  const std::string& text = box_.shown()[0].text;
  std::size_t levels = 0;
  for (std::size_t at = text.find("DEEP (Line: "); at != std::string::npos;
       at = text.find("DEEP (Line: ", at + 1)) {
    ++levels;
  }
  EXPECT_EQ(levels, 5u);
  EXPECT_NE(text.find("\r\nCallStack: \r\nDEEP"), std::string::npos);
  EXPECT_NE(ReadLog().find("--------------\r\n" + text + "\r\nError Object created:"),
            std::string::npos);
}

TEST_F(DefErrorTest, AValueThatIsNoRecordIsWrapped) {
  ErrorFunc(DefErrorGen);
  box_.Answer(kDefaultChoice);
  EXPECT_EQ(DEFERROR(std::string("hello"), kVariant25), ErrorAnswer{});
  EXPECT_EQ(box_.shown()[0].text,
            "Error Code:  28 [ WRONG CLASS ]\r\n"
            "Function: DEFERROR\r\n"
            "Argument: hello\r\n"
            "Argument Number: 1\r\n");
  EXPECT_EQ(box_.shown()[0].default_code, kDefaultChoice);
  EXPECT_EQ(ErrorStructure().severity, 2u);
}

TEST_F(DefErrorTest, AValueForWhichNoRecordCanBeMadeIsShownAndDefaulted) {
  ErrorFunc(DefErrorGen);
  SysAtom("DEFERROR");  // the symbol table is made before memory runs out
  fail_allocations_from = sizeof(ErrorRecord);
  const ErrorAnswer answer = DEFERROR(std::string("hello"), kVariant25);
  fail_allocations_from = 0;
  EXPECT_EQ(answer, ErrorAnswer{});
  EXPECT_TRUE(box_.shown().empty());
  ASSERT_GE(box_.notices().size(), 2u);
  EXPECT_EQ(box_.notices().front().text, "No error object created !");
  EXPECT_EQ(box_.notices().back().text, "hello");
}

TEST_F(DefErrorTest, BeepPlaysThreeTonesAndLoggingCanBeOff) {
  static std::vector<std::uint32_t> tones;
  tones.clear();
  const ToneFunction previous =
      SetToneFunction([](std::uint32_t frequency, std::uint32_t) { tones.push_back(frequency); });
  SetBeep(true);
  SetErrorLog(false);
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kWrite), kVariant25);
  SetToneFunction(previous);
  EXPECT_EQ(tones, (std::vector<std::uint32_t>{440, 494, 523}));
  EXPECT_FALSE(Env::Default()->FileExists(LogPath()));
  EXPECT_EQ(box_.shown().size(), 1u);
}

TEST_F(DefErrorTest, TheInstalledNoticeNamesTheLogOnlyWhenAnEntryWasWritten) {
  std::vector<std::string> noticed;
  const ErrorLogNotice previous =
      SetErrorLogNotice([&](const std::string& path) { noticed.push_back(path); });
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kWrite), kVariant25);
  EXPECT_EQ(noticed, std::vector<std::string>{LogPath()});

  SetErrorLog(false);
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kWrite), kVariant25);
  SetErrorLog(true);
  std::filesystem::remove(LogPath());
  std::filesystem::create_directory(LogPath());  // a log that cannot be opened
  box_.Answer(kDefaultChoice);
  DEFERROR(Record(gencode::kWrite), kVariant25);
  SetErrorLogNotice(previous);
  EXPECT_EQ(noticed.size(), 1u);
  EXPECT_EQ(ErrorLoggedText("/x/VOERROR.LOG"), "The error is logged in /x/VOERROR.LOG");
}

struct Tracker {
  explicit Tracker(int* counter) : destroyed(counter) {}
  ~Tracker() { ++*destroyed; }
  int* destroyed;
};

TEST_F(DefErrorTest, AbortUnwindsToTheRecoveryPoint) {
  auto record = Record(gencode::kWrite);
  int destroyed = 0;
  std::shared_ptr<ErrorRecord> carried = RunToRecoveryPoint([&] {
    IVARSCAN_ROUTINE("UNWOUND");
    Tracker tracker(&destroyed);
    box_.Answer(kAbortFlag + kAbortChoice);
    DEFERROR(record, kVariant25);
    ADD_FAILURE() << "abort returned";
  });
  EXPECT_EQ(carried, record);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(CallDepth(), 0);
  EXPECT_FALSE(CanBreak());
  EXPECT_EQ(box_.shown()[0].abort_code, kAbortFlag + kAbortChoice);
}

// Aborts without a recovery point in a child process.
void AbortInChild(const Variant& variant) {
  std::shared_ptr<ErrorRecord> record = std::make_shared<ErrorRecord>();
  record->GENCODE = gencode::kCreate;
  DEFERROR(record, variant);
}

TEST_F(DefErrorTest, AbortWithoutRecoveryPointEndsWithTheGeneralCode) {
  for (const Variant& variant : {kVariant25, kVariant20}) {
    EXPECT_EXIT(AbortInChild(variant), ::testing::ExitedWithCode(20), "");
  }
  EXPECT_NE(ReadLog().find("GenCode         :Cannot create file"), std::string::npos);
}

}  // namespace
}  // namespace ivarscan
