// Scenario: one run of a desktop program under test, driven from outside like a user.
// The test script prepares a fresh working folder per scenario (the program, the stand-in
// notepad.exe, a repository folder); the scenario starts the program there, waits for its
// windows, operates them and checks the outcome. A failed check throws ScenarioFailure;
// the destructor ends every process the scenario started that is still running.
#ifndef IVARSCAN_TESTS_WINE_SCENARIO_H_
#define IVARSCAN_TESTS_WINE_SCENARIO_H_

#include <windows.h>

#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ivarscan::wine {

class ScenarioFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A message box as the user sees it.
struct MessageBoxView {
  HWND window;
  std::string text;
};

class Scenario {
 public:
  // `folder`: the working folder, whose `appdata` folder is the programs' APPDATA. With
  // `screenshots`, Shot() asks the test script for a picture of the screen and waits
  // until it is taken.
  Scenario(std::string folder, bool screenshots);
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;
  ~Scenario();

  const std::string& folder() const { return folder_; }
  // The path of `name` inside the working folder.
  std::string Path(const std::string& name) const;

  // Starts the program `program` of the working folder, with the working folder as its
  // current folder, and makes it the program whose exit WaitForExit waits for.
  void Start(const std::string& program, const std::string& arguments = "");
  // Starts a console program the same way, in the driver's console, with standard input
  // empty and standard output and error going to the files `stdout.txt` and `stderr.txt`
  // of the working folder.
  void StartInConsole(const std::string& program, const std::string& arguments);
  // Starts a helper program (such as the stand-in IDE) the same way.
  void StartHelper(const std::string& program, const std::string& arguments);

  // Waits for a visible top-level window of the class and caption; fails after `seconds`.
  HWND WaitForWindow(const char* class_name, const std::string& caption, int seconds = 30);
  // Waits for a message box of that caption and reads its text.
  MessageBoxView WaitForBox(const std::string& caption, int seconds = 30);
  // Fails when a window of the class and caption shows up within `seconds`.
  void ExpectNoWindow(const char* class_name, const std::string& caption, int seconds);
  // Waits until the window has gone.
  void WaitUntilGone(HWND window, int seconds = 30);
  // Waits until the program ends and returns its exit code.
  DWORD WaitForExit(int seconds = 60);
  // Waits until `condition` holds; fails with `what` after `seconds`.
  void WaitUntil(const std::function<bool()>& condition, const std::string& what, int seconds = 30);
  // Waits until the text of a dialog's control equals `expected`.
  void WaitForControlText(HWND dialog, int control_id, const std::string& expected,
                          int seconds = 30);
  // Waits until a file appears in the working folder (written by the program or a helper).
  void WaitForFile(const std::string& name, int seconds = 30);

  // Copies the folder `source` (a path of the build machine, as Wine names it) into the
  // working folder as `name`.
  void CopyFolder(const std::string& source, const std::string& name);

  bool FileExists(const std::string& name) const;
  std::string ReadFile(const std::string& name) const;

  void Expect(bool condition, const std::string& what) const;
  template <typename A, typename B>
  void ExpectEq(const A& actual, const B& expected, const std::string& what) const {
    if (actual == expected) return;
    std::ostringstream message;
    message << what << ": got [" << actual << "], expected [" << expected << "]";
    throw ScenarioFailure(message.str());
  }

  // A picture of the screen named `name`, when screenshots were asked for.
  void Shot(const std::string& name);

 private:
  // Starts the program; with `startup`, the handles it names are inherited.
  HANDLE Launch(const std::string& program, const std::string& arguments,
                STARTUPINFOA* startup = nullptr);

  std::string folder_;
  bool screenshots_;
  HANDLE program_ = nullptr;
  std::vector<HANDLE> processes_;
};

// The value of an environment variable the test script sets; fails when it is missing.
std::string ScriptSetting(const char* name);

// The path of `relative` (with '/' or '\\') in the source tree, which the test script names
// in IVARSCAN_SOURCE_DIR.
std::string SourcePath(const std::string& relative);

// The whole contents of a file; fails when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Joins texts with ", " for messages.
std::string Joined(const std::vector<std::string>& texts);

}  // namespace ivarscan::wine

#endif  // IVARSCAN_TESTS_WINE_SCENARIO_H_
