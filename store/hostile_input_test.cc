// The repository folder under hostile input, read the whole way to the report: files that
// vanish or cannot be read, huge and binary modules, names longer than every buffer, deep
// and cyclic inheritance, and a large cyclic search-path graph. Each case must finish in
// bounded time and memory and give the report that its input calls for.
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/app_report.h"
#include "engine/report_writer.h"
#include "platform/testing/fake_env.h"
#include "platform/text.h"
#include "repo/projects.h"
#include "store/folder_repository.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

using namespace std::string_literals;

const std::string kRule = std::string(35, '=') + "\r\n";

// A progress dialog that only counts: the big cases service it hundreds of millions of
// times, too often to log.
class CountingProgress final : public ProgressDialog {
 public:
  void DESCRIPTION(std::string_view) override {}
  void TASK(std::string_view) override {}
  void SetProgressRange(int, int) override {}
  void SetProgressPosition(int) override {}
  bool LABORT() const override { return false; }
  void ApplicationExec() override { ++servicings_; }
  long long servicings() const { return servicings_; }

 private:
  long long servicings_ = 0;
};

// The highest resident memory of this process so far, in megabytes. Each test runs in a
// process of its own under CTest, so this is the test's own peak.
long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Fails the test when it took longer than `seconds` or its process grew beyond `megabytes`.
// The limits leave room for the sanitizer build on a busy machine; a quadratic walk or a
// copy per entity would exceed them many times over.
class Budget {
 public:
  Budget(double seconds, long megabytes) : seconds_(seconds), megabytes_(megabytes) {}
  ~Budget() {
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start_;
    EXPECT_LT(took.count(), seconds_) << "seconds";
    EXPECT_LT(PeakMegabytes(), megabytes_) << "megabytes at peak";
    std::printf("took %.2f s, peak %ld MB\n", took.count(), PeakMegabytes());
  }

 private:
  const double seconds_;
  const long megabytes_;
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The heading and rule of an application's block.
std::string Heading(const std::string& application) {
  return "Application: " + application + "\r\n" + kRule;
}

// The lines of a reported class up to its details.
std::string ClassHead(const std::string& name, const std::string& application,
                      const std::string& module, const std::string& parent) {
  return "Class: " + name + "\r\nApp: " + application + "\r\nModule: " + module +
         "\r\nInherits from: " + parent + "\r\n";
}

const char kSection[] = "\r\nDuplicate instance variables:\r\n";
const char kNone[] = "No classes with duplicate instance variables\r\n\r\n";

class HostileInputTest : public ::testing::Test {
 protected:
  HostileInputTest() {
    folder_.Write("repository.ini", "[Repository]\r\nCurrentProject=P\r\n");
    folder_.Write("P/project.ini", "[Project]\r\n");
  }

  // Writes the application's settings; `settings` are the lines after [Application].
  void AddApplication(const std::string& name, const std::string& settings = "") {
    folder_.Write("P/" + name + "/application.ini", "[Application]\r\n" + settings);
  }
  std::string AddModule(const std::string& application, const std::string& module,
                        std::string_view source) {
    return folder_.Write("P/" + application + "/" + module + ".prg", source);
  }

  // The blocks of every application that is not a system library, in name order, as the
  // report run writes them after its header.
  std::string ProjectReport(Env* env = Env::Default()) {
    FolderRepository repo(env, folder_.path());
    std::uint32_t unused = 0;
    EXPECT_EQ(repo.AdamInit(0, &unused), 0u);
    StringReportWriter report;
    for (const ApplicationRecord& application : GETAPPS(repo, false, true)) {
      REPORTAPPDUP(repo, application.handle, report, progress_);
    }
    skipped_ = repo.skipped();
    repo.AdamExit();
    return report.text();
  }

  // The block of one application.
  std::string ApplicationReport(const std::string& name) {
    FolderRepository repo(Env::Default(), folder_.path());
    std::uint32_t unused = 0;
    EXPECT_EQ(repo.AdamInit(0, &unused), 0u);
    AppHandle application = 0;
    EXPECT_EQ(repo.AppFind(name.c_str(), &application), 0u) << name;
    StringReportWriter report;
    REPORTAPPDUP(repo, application, report, progress_);
    repo.AdamExit();
    return report.text();
  }

  bool Skipped(const std::string& path_end, const std::string& reason_start) const {
    for (const SkippedFile& file : skipped_) {
      if (file.path.ends_with(path_end) && file.reason.starts_with(reason_start)) return true;
    }
    return false;
  }

  TestFolder folder_;
  CountingProgress progress_;
  std::vector<SkippedFile> skipped_;
};

TEST_F(HostileInputTest, FilesThatVanishOrCannotBeReadAreLeftOutAndTheRestIsReported) {
  AddApplication("App");
  const std::string duplicate = "CLASS Kept\r\nEXPORT a, a\r\n";
  AddModule("App", "Kept", duplicate);
  const std::string gone = AddModule("App", "Gone", "CLASS Gone\r\nEXPORT b, b\r\n");
  const std::string locked = AddModule("App", "Locked", "CLASS Locked\r\nEXPORT c, c\r\n");
  const std::string broken = AddModule("App", "Broken", "CLASS Broken\r\nEXPORT d, d\r\n");
  FakeEnv env(Env::Default());
  env.RemoveAfterListing(folder_.PathOf("P/App"), gone);
  env.FailReadFile(locked, std::make_error_code(std::errc::permission_denied));
  env.FailReadFile(broken, std::make_error_code(std::errc::io_error));

  const std::string report = ProjectReport(&env);

  EXPECT_EQ(report, Heading("App") + ClassHead("Kept", "App", "Kept", "") + kSection +
                        "a occurs more than once in this class\r\n\r\n\r\n");
  EXPECT_TRUE(Skipped("Gone.prg", "left out: cannot be read"));
  EXPECT_TRUE(Skipped("Locked.prg", "left out: cannot be read"));
  EXPECT_TRUE(Skipped("Broken.prg", "left out: cannot be read"));
}

TEST_F(HostileInputTest, SettingsThatVanishOrCannotBeReadFallBackToTheirDefaults) {
  AddApplication("Base", "SystemLibrary=yes\r\n");
  AddModule("Base", "Root", "CLASS Root\r\nEXPORT a\r\n");
  AddApplication("App", "SearchPath=Base\r\n");
  AddModule("App", "Leaf", "CLASS Leaf INHERIT Root\r\nEXPORT a\r\n");
  FakeEnv env(Env::Default());
  env.FailReadFile(folder_.PathOf("P/Base/application.ini"),
                   std::make_error_code(std::errc::permission_denied));
  env.FailReadFile(folder_.PathOf("P/project.ini"), std::make_error_code(std::errc::io_error));

  // Base is no system library now, so it gets a block of its own; App still finds Root
  // through its search path.
  EXPECT_EQ(ProjectReport(&env), Heading("App") + ClassHead("Leaf", "App", "Leaf", "Root") +
                                     kSection + "a also in Root (Base-Root)\r\n\r\n\r\n" +
                                     Heading("Base") + kNone);
  EXPECT_TRUE(Skipped("Base/application.ini", "cannot be read, defaults used"));
}

// Regression: reading a module opened whatever the name led to and read it to its end, so
// a named pipe called .prg (or repository.ini) hung the run at open and a link to
// /dev/zero filled memory.
TEST_F(HostileInputTest, SpecialFilesNamedLikeModulesNeitherHangNorFillMemory) {
  Budget budget(10, 1000);
  AddApplication("App");
  AddModule("App", "Kept", "CLASS Kept\r\nEXPORT a, a\r\n");
  ASSERT_EQ(mkfifo(folder_.PathOf("P/App/Pipe.prg").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", folder_.PathOf("P/App/Zero.prg"));

  EXPECT_EQ(ProjectReport(), Heading("App") + ClassHead("Kept", "App", "Kept", "") + kSection +
                                 "a occurs more than once in this class\r\n\r\n\r\n");
  EXPECT_TRUE(Skipped("Pipe.prg", "left out: cannot be read"));
  EXPECT_TRUE(Skipped("Zero.prg", "left out: cannot be read"));

  // Opening the repository reads repository.ini first; as a pipe it names no project.
  std::filesystem::remove(folder_.PathOf("repository.ini"));
  ASSERT_EQ(mkfifo(folder_.PathOf("repository.ini").c_str(), 0644), 0);
  FolderRepository repo(Env::Default(), folder_.path());
  std::uint32_t unused = 0;
  ASSERT_EQ(repo.AdamInit(0, &unused), 0u);
  char name[256] = "";
  EXPECT_NE(repo.AdamQueryCurrentPrjName(name, sizeof name), 0u);
}

TEST_F(HostileInputTest, AFiftyMegabyteClassIsScannedWhole) {
  Budget budget(60, 2500);
  AddApplication("App");
  AddModule("App", "Base", "CLASS Base\r\nEXPORT hWnd\r\n");
  std::string source = "CLASS Huge INHERIT Base\r\nEXPORT first, hwnd\r\n";
  const std::string filler = "  // " + std::string(90, 'x') + "\r\n" +
                             "  x := \"CLASS Fake INHERIT Base EXPORT hWnd\"\r\n";
  while (source.size() < 50'000'000) source += filler;
  source += "PROTECT last, FIRST\n";  // the module's last line, with a line feed alone
  AddModule("App", "Huge", source);

  EXPECT_EQ(ApplicationReport("App"), Heading("App") + ClassHead("Huge", "App", "Huge", "Base") +
                                          kSection +
                                          "first occurs more than once in this class\r\n"
                                          "hwnd also in Base (App-Base)\r\n\r\n\r\n");
}

TEST_F(HostileInputTest, AModuleOfAHundredThousandEntities) {
  Budget budget(60, 1500);
  AddApplication("App");
  std::string source;
  for (int i = 0; i < 50'000; ++i) {
    const std::string name = "C" + std::to_string(100'000 + i);
    source += "CLASS " + name + " INHERIT Root\r\nEXPORT own" + std::to_string(i) +
              (i % 10'000 == 0 ? ", shared" : "") + "\r\nMETHOD Init() CLASS " + name +
              "\r\nRETURN SELF\r\n";
  }
  AddModule("App", "Many", "CLASS Root\r\nEXPORT shared\r\n" + source);

  std::string expected = Heading("App");
  for (int i = 0; i < 50'000; i += 10'000) {
    expected += ClassHead("C" + std::to_string(100'000 + i), "App", "Many", "Root") + kSection +
                "shared also in Root (App-Many)\r\n\r\n\r\n";
  }
  EXPECT_EQ(ApplicationReport("App"), expected);
}

TEST_F(HostileInputTest, ClassNamesThatAgreeInTheirFirstSixtyFourCharacters) {
  // The name sort was quadratic in such names: 20,000 of them took 45 s, release build.
  Budget budget(30, 1000);
  AddApplication("App");
  const std::string prefix(64, 'W');
  std::string source;
  for (int i = 0; i < 5'000; ++i) {
    source += "CLASS " + prefix + std::to_string(i) + "\r\nEXPORT v" +
              (i == 1234 || i == 4'000 ? ", v" : "") + "\r\n";
  }
  AddModule("App", "Same", source);

  // Equal sort keys come out in an order of the sort's own; both reported classes do.
  const std::string report = ApplicationReport("App");
  for (const char* number : {"1234", "4000"}) {
    EXPECT_NE(report.find(ClassHead(prefix + number, "App", "Same", "") + kSection +
                          "v occurs more than once in this class\r\n\r\n\r\n"),
              std::string::npos);
  }
  std::size_t blocks = 0;
  for (std::size_t at = report.find("Class: "); at != std::string::npos;
       at = report.find("Class: ", at + 1)) {
    ++blocks;
  }
  EXPECT_EQ(blocks, 2u);
}

TEST_F(HostileInputTest, BinaryModulesAreReadAsBytes) {
  AddApplication("App");
  std::string noise;
  std::uint32_t state = 12345;
  for (int i = 0; i < 200'000; ++i) {
    state = state * 1103515245 + 12345;
    noise.push_back(static_cast<char>(state >> 16));
  }
  AddModule("App", "Noise", noise);
  AddModule("App", "Image", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s + noise);
  // A class whose text holds a zero byte: its text ends there, as the interface's texts
  // are zero-terminated, so the declarations after it are not seen.
  AddModule("App", "Zero", "CLASS Zero\r\nEXPORT z, z\r\n\0EXPORT hidden, hidden\r\n"s);
  AddModule("App", "Bytes", "CLASS \xE4\xF6\xFC\r\nEXPORT \xFF\xFE, \xFF\xFE\r\n\x1A");

  const std::string report = ProjectReport();

  EXPECT_NE(report.find(ClassHead("Zero", "App", "Zero", "") + kSection +
                        "z occurs more than once in this class\r\n\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(report.find("hidden"), std::string::npos);
  EXPECT_NE(report.find(ClassHead("\xE4\xF6\xFC", "App", "Bytes", "") + kSection +
                        "\xFF\xFE occurs more than once in this class\r\n"),
            std::string::npos);
  EXPECT_TRUE(report.starts_with(Heading("App")));
  EXPECT_TRUE(Skipped("Zero.prg", "holds zero bytes"));
}

TEST_F(HostileInputTest, NamesLongerThanEveryBufferAreCutAndNeverOverrun) {
  const std::string application(200, 'A');
  const std::string module(240, 'M');
  const std::string klass = "K" + std::string(3000, 'k');
  const std::string parent = "P" + std::string(3000, 'p');
  const std::string ivar = "v" + std::string(20'000, 'v');
  AddApplication(application);
  AddModule(application, module,
            "CLASS " + klass + " INHERIT " + parent + "\r\nEXPORT " + ivar + ", " + ivar +
                "\r\nCLASS " + parent + "\r\nEXPORT " + ivar + "\r\n");

  // The prototype buffer holds 1023 characters, so a class's parent is read from a
  // prototype cut inside the class name: the class's own name, cut, is what it seeks.
  // That makes even the class without a parent report a missing one.
  const std::string shown_application = application.substr(0, 31);
  const std::string shown_module = module.substr(0, 63);
  std::string expected = Heading(shown_application);
  for (const std::string& name : {klass, parent}) {
    const std::string cut = name.substr(0, 1023 - 6);
    expected += ClassHead(name, shown_application, shown_module, cut) +
                "** Could not find parent class " + UpperAscii(cut) + " **\r\n" + kSection +
                (name == klass ? ivar + " occurs more than once in this class\r\n" : "") +
                "\r\n\r\n";
  }
  EXPECT_EQ(ProjectReport(), expected);
  EXPECT_TRUE(Skipped(application, "name longer than 31 characters"));
  EXPECT_TRUE(Skipped(module + ".prg", "name longer than 63 characters"));
}

TEST_F(HostileInputTest, AProjectNameAsLongAsTheSystemAllowsFitsItsBuffer) {
  // 255 bytes is the longest file name; the project name buffer holds 255 and the zero.
  const std::string project(255, 'p');
  folder_.Write(project + "/project.ini", "[Project]\r\nDescription=" + std::string(1000, 'd'));
  FolderRepository repo(Env::Default(), folder_.path());
  std::uint32_t unused = 0;
  ASSERT_EQ(repo.AdamInit(0, &unused), 0u);
  const std::vector<ProjectRecord> projects = GETPROJECTS(repo);
  ASSERT_EQ(projects.size(), 2u);
  EXPECT_EQ(projects[1].name, project);
  EXPECT_EQ(projects[1].description, std::string(255, 'd'));
  ASSERT_EQ(repo.PrjSelect(project.c_str()), 0u);
  EXPECT_EQ(GETCURRENTPROJECT(repo), project);
  ASSERT_EQ(repo.PrjSelect("P"), 0u);
  repo.AdamExit();
  EXPECT_EQ(folder_.Read("repository.ini"), "[Repository]\r\nCurrentProject=P\r\n");
}

TEST_F(HostileInputTest, ATenThousandClassChainListsTheDeepestClassesAncestors) {
  Budget budget(60, 600);
  constexpr int kDepth = 10'000;
  auto name = [](int i) { return "C" + std::to_string(100'000 + i); };
  AddApplication("App");
  // A hundred modules of a hundred classes; each class inherits the one before and
  // declares a variable of its own; the deepest also declares three of its ancestors'.
  for (int m = 0; m < kDepth / 100; ++m) {
    std::string source;
    for (int i = m * 100; i < (m + 1) * 100; ++i) {
      source +=
          "CLASS " + name(i) + (i > 0 ? " INHERIT " + name(i - 1) : "") + "\r\nEXPORT v" + name(i) +
          (i == kDepth - 1 ? ", v" + name(0) + ", v" + name(5000) + ", v" + name(kDepth - 2) : "") +
          "\r\n";
    }
    AddModule("App", "M" + std::to_string(100 + m), source);
  }

  EXPECT_EQ(ApplicationReport("App"),
            Heading("App") + ClassHead(name(kDepth - 1), "App", "M199", name(kDepth - 2)) +
                kSection + "v" + name(0) + " also in " + name(0) + " (App-M100)\r\n" + "v" +
                name(5000) + " also in " + name(5000) + " (App-M150)\r\n" + "v" + name(kDepth - 2) +
                " also in " + name(kDepth - 2) + " (App-M199)\r\n\r\n\r\n");
}

TEST_F(HostileInputTest, ACycleThroughAThousandClassesIsReportedForEachOfThem) {
  Budget budget(60, 1000);
  constexpr int kClasses = 1000;
  auto name = [](int i) { return "Ring" + std::to_string(1000 + i); };
  AddApplication("App");
  std::string source;
  for (int i = 0; i < kClasses; ++i) {
    source += "CLASS " + name(i) + " INHERIT " + name((i + 1) % kClasses) + "\r\nEXPORT v" +
              std::to_string(i) + "\r\n";
  }
  // A class outside the ring whose ancestors run into it.
  source += "CLASS Outside INHERIT " + name(500) + "\r\nEXPORT v" + std::to_string(700) + "\r\n";
  AddModule("App", "Ring", source);

  const std::string report = ApplicationReport("App");
  std::string expected = Heading("App") + ClassHead("Outside", "App", "Ring", name(500)) +
                         "** Cyclic inheritance at class RING1500 **\r\n" + kSection + "v700" +
                         " also in " + name(700) + " (App-Ring)\r\n\r\n\r\n";
  for (int i = 0; i < kClasses; ++i) {
    expected += ClassHead(name(i), "App", "Ring", name((i + 1) % kClasses)) +
                "** Cyclic inheritance at class " + UpperAscii(name(i)) + " **\r\n" + kSection +
                "\r\n\r\n";
  }
  EXPECT_EQ(report, expected);
}

TEST_F(HostileInputTest, AThousandApplicationSearchPathGraphWithCycles) {
  Budget budget(60, 1000);
  constexpr int kApps = 1000;
  auto name = [](int i) { return "A" + std::to_string(1000 + i); };
  // Each application names the next (the last names the first), the first, and itself.
  for (int i = 0; i < kApps; ++i) {
    AddApplication(name(i), "Kind=library\r\nSearchPath=" + name((i + 1) % kApps) + "; " + name(0) +
                                ";" + name(i) + "\r\n");
  }
  AddModule(name(200), "Shared", "CLASS Shared\r\nEXPORT x\r\n");
  AddModule(name(500), "Shared", "CLASS Shared\r\nEXPORT x\r\n");
  AddModule(name(100), "Probe", "CLASS Probe INHERIT Shared\r\nEXPORT x\r\n");
  AddModule(name(300), "Probe", "CLASS Probe INHERIT Shared\r\nEXPORT x\r\n");

  FolderRepository repo(Env::Default(), folder_.path());
  std::uint32_t unused = 0;
  ASSERT_EQ(repo.AdamInit(0, &unused), 0u);
  // The walk goes down the chain to the end, round to the first and on up to the start.
  std::vector<AppHandle> expected;
  for (int i = 1; i <= kApps; ++i)
    expected.push_back(static_cast<AppHandle>((100 + i) % kApps + 1));
  EXPECT_EQ(GETUSEDAPPS(repo, 101, true), expected);
  repo.AdamExit();

  // The first class of the name in search order wins: A1200's for A1100, whose search
  // runs 101..999, 0..100; A1500's for A1300, whose search runs 301..999, 0..300. (A report
  // of all thousand applications reads a thousand search paths for each: 14 s in the
  // sanitizer build, too long for every test run; these three show the same walk.)
  EXPECT_EQ(ApplicationReport(name(100)),
            Heading(name(100)) + ClassHead("Probe", name(100), "Probe", "Shared") + kSection +
                "x also in Shared (" + name(200) + "-Shared)\r\n\r\n\r\n");
  EXPECT_EQ(ApplicationReport(name(300)),
            Heading(name(300)) + ClassHead("Probe", name(300), "Probe", "Shared") + kSection +
                "x also in Shared (" + name(500) + "-Shared)\r\n\r\n\r\n");
  EXPECT_EQ(ApplicationReport(name(999)), Heading(name(999)) + kNone);
}

}  // namespace
}  // namespace ivarscan
