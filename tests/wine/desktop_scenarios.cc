// Scenarios of the desktop programs ivarscan.exe and ivarscan20.exe, run as a user would
// run them: every box and dialog is found by its caption, read and answered; then the
// report, the viewer's command line, the repository's current project and the exit code
// are checked.
#include <windows.h>

#include <algorithm>
#include <fstream>

#include "app/texts.h"
#include "app/win32/folder_chooser.h"
#include "app/win32/warnings_dialog.h"
#include "engine/text_report.h"
#include "resources/resource_ids.h"
#include "tests/wine/remote_window.h"
#include "tests/wine/scenarios.h"

namespace ivarscan::wine {
namespace {

struct Program {
  const char* file;
  const char* report;
};
constexpr Program kIvarscan{"ivarscan.exe", "DUPIVars25.TXT"};
constexpr Program kIvarscan20{"ivarscan20.exe", "DUPIVars20.TXT"};

constexpr char kProjectCaption[] = "Duplicate Instance Variable Report";
// The caption Windows gives a box that has none of its own (the program's error boxes).
constexpr char kStandardErrorCaption[] = "Error";
constexpr char kRepositoryIni[] = "repository\\repository.ini";
constexpr char kViewerCommandLine[] = "notepad-command-line.txt";

std::string ClosingNote() {
  return std::string("Remember to visit ") + texts::kMakerAddress +
         " for more essential utilities like the Quorvex!";
}

void UseSampleRepository(Scenario& scenario) {
  scenario.CopyFolder(SourcePath("tests/sample/repository"), "repository");
}

// Expects `report` to be the sample repository's report, tests/sample/expected.txt.
void ExpectSampleReport(Scenario& scenario, const std::string& report) {
  scenario.Expect(report == ReadWholeFile(SourcePath("tests/sample/expected.txt")),
                  "the report equals tests/sample/expected.txt byte for byte");
}

// Starts the program with `arguments` and answers the introduction with `button`.
void StartAndAnswerIntroduction(Scenario& scenario, const Program& program, int button,
                                const std::string& arguments = "") {
  scenario.Start(program.file, arguments);
  MessageBoxView box = scenario.WaitForBox(texts::kIntroductionCaption);
  scenario.ExpectEq(box.text, texts::kIntroduction, "introduction");
  scenario.Expect(IsDefaultButton(box.window, IDYES), "Yes is the introduction's default");
  scenario.Shot("introduction");
  ClickButton(box.window, button);
}

// Starts the stand-in IDE ("closes" or "ignores" a close request) and waits for its window.
void StartIde(Scenario& scenario, const char* behaviour) {
  scenario.StartHelper("fake_ide.exe", behaviour);
  scenario.WaitForWindow(texts::kIdeWindowClass, "Stand-in IDE");
}

int CloseRequestsReceived(const Scenario& scenario) {
  const std::string log = scenario.ReadFile("fake-ide.log");
  int requests = 0;
  for (std::size_t at = log.find("WM_CLOSE"); at != std::string::npos;
       at = log.find("WM_CLOSE", at + 1)) {
    ++requests;
  }
  return requests;
}

// Answers the offer to close the IDE with `button`.
void AnswerOffer(Scenario& scenario, int button) {
  MessageBoxView offer = scenario.WaitForBox(texts::kOfferCaption);
  scenario.ExpectEq(offer.text, texts::kOfferToClose, "offer to close the IDE");
  scenario.Expect(IsDefaultButton(offer.window, IDYES), "Yes is the offer's default");
  ClickButton(offer.window, button);
}

// Chooses the project `name` in the project dialog with OK.
void ChooseProject(Scenario& scenario, HWND dialog, const std::string& name) {
  HWND list = ::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ);
  const std::vector<std::string> items = ListItems(list);
  const auto item = std::find(items.begin(), items.end(), name);
  scenario.Expect(item != items.end(), "project " + name + " in the list");
  ::SendMessageA(list, LB_SETCURSEL, item - items.begin(), 0);
  ClickButton(dialog, IDC_WINPRJ_PBOK);
}

// Chooses the project that the dialog opened with and returns its name.
std::string ChooseSelectedProject(Scenario& scenario, HWND dialog) {
  HWND list = ::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ);
  const int selected = ListSelection(list);
  scenario.Expect(selected >= 0, "the current project is selected");
  const std::string name = ListItems(list)[static_cast<std::size_t>(selected)];
  ClickButton(dialog, IDC_WINPRJ_PBOK);
  return name;
}

// The run ended without a report, a viewer or a closing note.
void ExpectEndedQuietly(Scenario& scenario, const Program& program) {
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  scenario.Expect(!scenario.FileExists(program.report), "no report file");
  scenario.Expect(!scenario.FileExists(kViewerCommandLine), "no viewer started");
}

// Waits for the closing note, checks that the viewer was started on the complete report,
// confirms the note and returns the report.
std::string FinishWithClosingNote(Scenario& scenario, const Program& program) {
  MessageBoxView note = scenario.WaitForBox(texts::kClosingNoteCaption, 300);
  scenario.ExpectEq(note.text, ClosingNote(), "closing note");
  scenario.Shot("closing-note");
  const std::string report = scenario.ReadFile(program.report);
  scenario.WaitForFile(kViewerCommandLine);
  scenario.ExpectEq(scenario.ReadFile(kViewerCommandLine), std::string("notepad ") + program.report,
                    "the viewer's command line");
  scenario.Expect(scenario.ReadFile("notepad-saw.txt") == report,
                  "the viewer opened the complete report");
  ClickButton(note.window, IDOK);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  return report;
}

void HappyPath(Scenario& scenario, const Program& program) {
  UseSampleRepository(scenario);
  const std::string ini_before = scenario.ReadFile(kRepositoryIni);
  StartAndAnswerIntroduction(scenario, program, IDYES);
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  HWND list = ::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ);
  scenario.ExpectEq(Joined(ListItems(list)), "Archive, Inventory, Sales, Warehouse",
                    "sorted projects");
  scenario.ExpectEq(ListSelection(list), 1, "the current project (Inventory) is selected");
  scenario.Shot("project-dialog");
  ChooseProject(scenario, dialog, "Sales");
  const std::string report = FinishWithClosingNote(scenario, program);
  ExpectSampleReport(scenario, report);
  scenario.ExpectEq(scenario.ReadFile(kRepositoryIni), ini_before,
                    "repository.ini (the previous project current again)");
}

void HappyPath25(Scenario& scenario) { HappyPath(scenario, kIvarscan); }

void HappyPath20(Scenario& scenario) { HappyPath(scenario, kIvarscan20); }

void NoInIntroduction(Scenario& scenario) {
  StartIde(scenario, "ignores");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDNO);
  ExpectEndedQuietly(scenario, kIvarscan);
  scenario.ExpectEq(CloseRequestsReceived(scenario), 0, "close requests to the IDE");
}

void IdeClosesWhenAsked(Scenario& scenario) {
  UseSampleRepository(scenario);
  StartIde(scenario, "closes");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  AnswerOffer(scenario, IDYES);
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  scenario.ExpectEq(CloseRequestsReceived(scenario), 1, "close requests to the IDE");
  scenario.Expect(::FindWindowA(texts::kIdeWindowClass, nullptr) == nullptr, "the IDE is gone");
  ClickButton(dialog, IDC_WINPRJ_PBCANCEL);
  ExpectEndedQuietly(scenario, kIvarscan);
}

void IdeNeverCloses(Scenario& scenario) {
  StartIde(scenario, "ignores");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  AnswerOffer(scenario, IDYES);
  const ULONGLONG asked = ::GetTickCount64();
  MessageBoxView box = scenario.WaitForBox(kStandardErrorCaption, 120);
  const ULONGLONG waited = ::GetTickCount64() - asked;
  scenario.ExpectEq(box.text, texts::kStillRunning, "still-running box");
  scenario.Expect(
      waited >= 59000 && waited < 90000,
      "about 60 one-second pauses before giving up (waited " + std::to_string(waited) + " ms)");
  scenario.ExpectEq(CloseRequestsReceived(scenario), 1, "close requests to the IDE");
  ClickButton(box.window, IDOK);
  ExpectEndedQuietly(scenario, kIvarscan);
}

void NoToClosingTheIde(Scenario& scenario) {
  StartIde(scenario, "ignores");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  AnswerOffer(scenario, IDNO);
  ExpectEndedQuietly(scenario, kIvarscan);
  scenario.ExpectEq(CloseRequestsReceived(scenario), 0, "close requests to the IDE");
}

void CancelInProjectDialog(Scenario& scenario) {
  UseSampleRepository(scenario);
  const std::string ini_before = scenario.ReadFile(kRepositoryIni);
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  ClickButton(dialog, IDC_WINPRJ_PBCANCEL);
  ExpectEndedQuietly(scenario, kIvarscan);
  scenario.ExpectEq(scenario.ReadFile(kRepositoryIni), ini_before, "repository.ini");
}

// Starts a report run on the big repository for the project it has current and returns
// the progress dialog.
HWND StartBigRun(Scenario& scenario) {
  scenario.CopyFolder(ScriptSetting("IVARSCAN_BIG_REPOSITORY"), "repository");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  const std::string project = ChooseSelectedProject(scenario, dialog);
  return scenario.WaitForWindow(kDialogClass, std::string(texts::kProgressCaption) + project);
}

// Runs a report on the big repository and cancels it in the progress dialog with
// `cancel`; the partial report is closed, shown and ends with the cancel mark.
void CancelInProgress(Scenario& scenario, void (*cancel)(HWND progress)) {
  HWND progress = StartBigRun(scenario);
  scenario.WaitUntil([&] { return !ControlText(progress, IDC_WINPROGRESS_TASK).empty(); },
                     "the progress dialog names a task");
  scenario.Shot("progress");
  cancel(progress);
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  scenario.Expect(report.find(report_text::kCancelled) != std::string::npos,
                  "the report marks the cancelled block");
}

// Runs the big repository to the end: the progress dialog carries the project in its
// caption, and the report holds as many class blocks as the generator planted.
void BigRunToTheEnd(Scenario& scenario) {
  StartBigRun(scenario);
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  int blocks = 0;
  for (std::size_t at = report.find("\r\nClass: "); at != std::string::npos;
       at = report.find("\r\nClass: ", at + 1)) {
    ++blocks;
  }
  scenario.ExpectEq(blocks, std::stoi(ScriptSetting("IVARSCAN_BIG_CLASSES")), "class blocks");
  scenario.Expect(report.find(report_text::kCancelled) == std::string::npos, "no cancel mark");
}

void CancelWithButton(Scenario& scenario) {
  CancelInProgress(scenario,
                   [](HWND progress) { ClickButton(progress, IDC_WINPROGRESS_PBCANCEL); });
}

void CancelWithEscape(Scenario& scenario) {
  CancelInProgress(scenario, [](HWND progress) { PressKey(progress, VK_ESCAPE); });
}

// Cancels while the big repository's last application is processed: the cancel must
// count, and the last block, that application's, carries the only cancel mark.
void CancelOnTheLastApplication(Scenario& scenario) {
  HWND progress = StartBigRun(scenario);
  const std::string last = ScriptSetting("IVARSCAN_BIG_LAST_APPLICATION");
  scenario.WaitForControlText(progress, IDC_WINPROGRESS_DESCRIPTION, "Processing:" + last, 300);
  ClickButton(progress, IDC_WINPROGRESS_PBCANCEL);
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  const std::string mark = std::string(report_text::kCancelled) + "\r\n";
  const std::size_t block = report.rfind("Application: " + last + "\r\n");
  scenario.Expect(block != std::string::npos, "the report has the last application's block");
  scenario.ExpectEq(report.find(mark), report.size() - mark.size(),
                    "the one cancel mark ends the last block");
  scenario.Expect(report.find(mark) > block, "the cancel mark lies in the last block");
}

// Faults on purpose: the OS exception is shown in an error box whose only choice ends the
// program, logged without a Function line, and ends the program with general code 50.
void OsExceptionBox(Scenario& scenario) {
  scenario.Start("fault.exe");
  MessageBoxView box = scenario.WaitForBox("ERROR");
  scenario.Expect(box.text.find("Error Code:  50 [ OPERATING-SYSTEM EXCEPTION ]") == 0,
                  "the message's first line: " + box.text);
  scenario.Expect(box.text.find("EXCEPTION_ACCESS_VIOLATION") != std::string::npos,
                  "the message names the exception: " + box.text);
  scenario.Expect(box.text.find("Function:") == std::string::npos,
                  "no Function line for an OS exception: " + box.text);
  scenario.Expect(box.text.find("WRITETHROUGHNULL (Line: ") != std::string::npos,
                  "the call stack names the faulting routine: " + box.text);
  scenario.Expect(::GetDlgItem(box.window, IDRETRY) == nullptr &&
                      ::GetDlgItem(box.window, IDIGNORE) == nullptr &&
                      ::GetDlgItem(box.window, IDCANCEL) == nullptr,
                  "the box offers no choice but to end the program");
  scenario.Shot("os-exception-box");
  ClickButton(box.window, IDOK);
  scenario.ExpectEq(scenario.WaitForExit(), 50u, "exit code (the general code)");
  const std::string log = scenario.ReadFile("VOERROR.LOG");
  scenario.Expect(log.find("ExceptionCode   :C0000005\r\n") != std::string::npos, "logged: " + log);
  scenario.Expect(log.find("ExceptionInfo   :00000001\r\n") != std::string::npos,
                  "the write fault's information is logged: " + log);
}

// Another process holds the repository's lock: 20 attempts a second apart, then the box.
void LockedRepository(Scenario& scenario) {
  UseSampleRepository(scenario);
  HANDLE lock = ::CreateFileA(scenario.Path("repository\\repository.lock").c_str(),
                              GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  OVERLAPPED whole = {};
  scenario.Expect(::LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole),
                  "the driver holds the repository's lock");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  const ULONGLONG accepted = ::GetTickCount64();
  MessageBoxView box = scenario.WaitForBox(kStandardErrorCaption, 60);
  const ULONGLONG waited = ::GetTickCount64() - accepted;
  scenario.ExpectEq(box.text, texts::kRepositoryUnavailable, "repository box");
  scenario.Shot("repository-box");
  scenario.Expect(waited >= 19000,
                  "20 attempts a second apart (waited " + std::to_string(waited) + " ms)");
  ClickButton(box.window, IDOK);
  ExpectEndedQuietly(scenario, kIvarscan);
  ::CloseHandle(lock);
}

// The folder `name` of the working folder as the one argument of a command line.
std::string FolderArgument(const Scenario& scenario, const std::string& name) {
  return "\"" + scenario.Path(name) + "\"";
}

// Waits for the folder chooser, types the path of the working folder's `name` into its
// folder box and presses OK.
void ChooseInChooser(Scenario& scenario, const std::string& name) {
  HWND chooser = scenario.WaitForWindow(kDialogClass, kChooseRepositoryTitle);
  scenario.Shot("folder-chooser");
  HWND folder_box = FindVisibleChild(chooser, "Edit");
  scenario.Expect(folder_box != nullptr, "the chooser has a folder box");
  ::SendMessageA(folder_box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(scenario.Path(name).c_str()));
  ClickButton(chooser, IDOK);
}

void CancelChooserAndExpectStatus1(Scenario& scenario) {
  ClickButton(scenario.WaitForWindow(kDialogClass, kChooseRepositoryTitle), IDCANCEL);
  scenario.ExpectEq(scenario.WaitForExit(), 1u, "exit code");
  scenario.Expect(!scenario.FileExists(kIvarscan.report), "no report file");
}

constexpr char kRememberedFolderFile[] = "appdata\\ivarscan\\ivarscan.ini";

// A folder given as the argument is used with no IVARSCAN_REPOSITORY and no "repository",
// quoted as a shortcut's target line may have it: with its final backslash.
void RepositoryAsArgument(Scenario& scenario) {
  scenario.CopyFolder(SourcePath("tests/sample/repository"), "VO Exports");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES,
                             "\"" + scenario.Path("VO Exports") + "\\\"");
  ChooseProject(scenario, scenario.WaitForWindow(kDialogClass, kProjectCaption), "Sales");
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  ExpectSampleReport(scenario, report);
  scenario.Expect(!scenario.FileExists(kRememberedFolderFile), "an argument is not remembered");
}

// A folder argument that does not exist, or is a file: a box naming it, status 1.
void BadRepositoryArgument(Scenario& scenario) {
  scenario.Start(kIvarscan.file, FolderArgument(scenario, "Missing"));
  MessageBoxView box = scenario.WaitForBox(kStandardErrorCaption);
  scenario.ExpectEq(box.text,
                    "The folder " + FolderArgument(scenario, "Missing") + " does not exist.",
                    "missing folder box");
  ClickButton(box.window, IDOK);
  scenario.ExpectEq(scenario.WaitForExit(), 1u, "exit code");

  std::ofstream(scenario.Path("notes.txt")) << "x";
  scenario.Start(kIvarscan.file, FolderArgument(scenario, "notes.txt"));
  box = scenario.WaitForBox(kStandardErrorCaption);
  scenario.ExpectEq(box.text, FolderArgument(scenario, "notes.txt") + " is a file, not a folder.",
                    "file box");
  ClickButton(box.window, IDOK);
  scenario.ExpectEq(scenario.WaitForExit(), 1u, "exit code");
}

// Nowhere a repository: the chooser appears once the repository is to be opened; the
// folder chosen is used and remembered, and the next start goes straight to the projects.
void ChooserRemembersTheFolder(Scenario& scenario) {
  scenario.CopyFolder(SourcePath("tests/sample/repository"), "Chosen");
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  ChooseInChooser(scenario, "Chosen");
  ChooseProject(scenario, scenario.WaitForWindow(kDialogClass, kProjectCaption), "Sales");
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  ExpectSampleReport(scenario, report);
  scenario.ExpectEq(scenario.ReadFile(kRememberedFolderFile),
                    "[Repository]\r\nFolder=" + scenario.Path("Chosen") + "\r\n",
                    "the remembered folder");

  ::DeleteFileA(scenario.Path(kIvarscan.report).c_str());
  ::DeleteFileA(scenario.Path(kViewerCommandLine).c_str());
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  scenario.Expect(FindVisibleWindow(kDialogClass, kChooseRepositoryTitle) == nullptr,
                  "no chooser on the second start");
  ClickButton(dialog, IDC_WINPRJ_PBCANCEL);
  ExpectEndedQuietly(scenario, kIvarscan);
}

// Cancel in the chooser ends the program quietly with status 1; so it does when the
// remembered folder has gone, which brings the chooser back instead of an error.
void CancelInChooser(Scenario& scenario) {
  ::CreateDirectoryA(scenario.Path("appdata").c_str(), nullptr);
  ::CreateDirectoryA(scenario.Path("appdata\\ivarscan").c_str(), nullptr);
  std::ofstream(scenario.Path(kRememberedFolderFile))
      << "[Repository]\r\nFolder=" << scenario.Path("Gone") << "\r\n";
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  CancelChooserAndExpectStatus1(scenario);
}

// A chosen folder without a project: a box names it and says what a repository holds,
// then the chooser comes back.
void ChosenFolderWithoutProject(Scenario& scenario) {
  ::CreateDirectoryA(scenario.Path("Empty").c_str(), nullptr);
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  ChooseInChooser(scenario, "Empty");
  MessageBoxView box = scenario.WaitForBox(kStandardErrorCaption);
  scenario.Expect(box.text.find("The folder " + FolderArgument(scenario, "Empty") +
                                " holds no repository.") == 0,
                  "the box names the folder: " + box.text);
  scenario.Expect(box.text.find("project.ini") != std::string::npos &&
                      box.text.find(".AEF") != std::string::npos,
                  "the box says what a repository holds: " + box.text);
  ClickButton(box.window, IDOK);
  CancelChooserAndExpectStatus1(scenario);
  scenario.Expect(!scenario.FileExists(kRememberedFolderFile), "nothing remembered");
}

// A folder of exports, one of them damaged: one box lists the warning before the run, and
// the report covers the rest.
void WarningsBox(Scenario& scenario) {
  const std::string exports = SourcePath("examples/sample-repository/Warehouse");
  ::CreateDirectoryA(scenario.Path("Warehouse").c_str(), nullptr);
  for (const char* name : {"Runtime Classes.aef", "Shipping.aef", "project.ini"}) {
    ::CopyFileA((exports + "\\" + name).c_str(),
                scenario.Path(std::string("Warehouse\\") + name).c_str(), FALSE);
  }
  const std::string shipping = ReadWholeFile(exports + "\\Shipping.aef");
  std::ofstream(scenario.Path("Warehouse\\Broken.aef"), std::ios::binary)
      << shipping.substr(0, shipping.size() - 6);
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES, FolderArgument(scenario, "Warehouse"));
  ChooseSelectedProject(scenario, scenario.WaitForWindow(kDialogClass, kProjectCaption));
  HWND box = scenario.WaitForWindow(kDialogClass, "Repository warnings");
  scenario.ExpectEq(ControlText(box, IDC_WARNINGS_INTRODUCTION), kWarningsIntroduction,
                    "the warnings' introduction");
  scenario.ExpectEq(EditText(::GetDlgItem(box, IDC_WARNINGS_LIST)),
                    scenario.Path("Warehouse\\Broken.aef") + ": left out: damaged at byte offset " +
                        std::to_string(shipping.size() - 6) + ": no end record\r\n" +
                        scenario.Path("Warehouse\\Shipping.aef") +
                        ": SearchPath entry Warehouse Classes left out: no such application\r\n",
                    "the warnings, in one list");
  scenario.Shot("warnings-box");
  ClickButton(box, IDOK);
  const std::string report = FinishWithClosingNote(scenario, kIvarscan);
  scenario.Expect(report.find("Application: Shipping") != std::string::npos,
                  "the report covers the undamaged exports");
}

void UnwritableReport(Scenario& scenario) {
  UseSampleRepository(scenario);
  // A folder of the report's name: the file cannot be created.
  ::CreateDirectoryA(scenario.Path(kIvarscan.report).c_str(), nullptr);
  StartAndAnswerIntroduction(scenario, kIvarscan, IDYES);
  ChooseProject(scenario, scenario.WaitForWindow(kDialogClass, kProjectCaption), "Sales");
  MessageBoxView box = scenario.WaitForBox("ERROR");
  scenario.Expect(box.text.find(kIvarscan.report) != std::string::npos,
                  "the error names the report file: " + box.text);
  scenario.Shot("error-box");
  ClickButton(box.window, IDABORT);
  scenario.ExpectEq(scenario.WaitForExit(), 20u, "exit code (the general code of create)");
  scenario.Expect(scenario.FileExists("VOERROR.LOG"), "an error log entry");
}

}  // namespace

const std::vector<NamedScenario>& DesktopScenarios() {
  static const std::vector<NamedScenario> scenarios = {
      {"happy-path", &HappyPath25},
      {"happy-path-20", &HappyPath20},
      {"no-in-introduction", &NoInIntroduction},
      {"ide-closes", &IdeClosesWhenAsked},
      {"ide-never-closes", &IdeNeverCloses},
      {"no-to-closing-ide", &NoToClosingTheIde},
      {"cancel-project-dialog", &CancelInProjectDialog},
      {"big-run-to-end", &BigRunToTheEnd},
      {"cancel-progress-button", &CancelWithButton},
      {"cancel-progress-escape", &CancelWithEscape},
      {"cancel-last-application", &CancelOnTheLastApplication},
      {"os-exception-box", &OsExceptionBox},
      {"locked-repository", &LockedRepository},
      {"repository-argument", &RepositoryAsArgument},
      {"bad-repository-argument", &BadRepositoryArgument},
      {"chooser-remembers-folder", &ChooserRemembersTheFolder},
      {"chooser-cancel", &CancelInChooser},
      {"chooser-folder-without-project", &ChosenFolderWithoutProject},
      {"warnings-box", &WarningsBox},
      {"unwritable-report", &UnwritableReport},
  };
  return scenarios;
}

const std::vector<NamedScenario>& AllScenarios() {
  static const std::vector<NamedScenario> all = [] {
    std::vector<NamedScenario> scenarios = SmokeScenarios();
    scenarios.insert(scenarios.end(), DesktopScenarios().begin(), DesktopScenarios().end());
    scenarios.insert(scenarios.end(), ConsoleScenarios().begin(), ConsoleScenarios().end());
    return scenarios;
  }();
  return all;
}

}  // namespace ivarscan::wine
