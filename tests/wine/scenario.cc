#include "tests/wine/scenario.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/wine/remote_window.h"

namespace ivarscan::wine {
namespace {

constexpr DWORD kPollMilliseconds = 50;

// Polls `ready` until it holds or `seconds` have passed; returns whether it held.
template <typename Ready>
bool PollUntil(int seconds, Ready ready) {
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    if (ready()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(kPollMilliseconds);
  }
}

}  // namespace

Scenario::Scenario(std::string folder, bool screenshots)
    : folder_(std::move(folder)), screenshots_(screenshots) {
  // The programs remember their folder in the user's settings: each scenario has its own.
  ::SetEnvironmentVariableA("APPDATA", Path("appdata").c_str());
}

Scenario::~Scenario() {
  for (HANDLE process : processes_) {
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 99);
    ::CloseHandle(process);
  }
}

std::string Scenario::Path(const std::string& name) const { return folder_ + "\\" + name; }

HANDLE Scenario::Launch(const std::string& program, const std::string& arguments,
                        STARTUPINFOA* startup) {
  std::string command_line = "\"";
  command_line.append(Path(program)).append("\"");
  if (!arguments.empty()) command_line.append(" ").append(arguments);
  STARTUPINFOA plain = {};
  plain.cb = sizeof plain;
  const bool inherit = startup != nullptr;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, inherit, 0, nullptr,
                        folder_.c_str(), inherit ? startup : &plain, &process)) {
    throw ScenarioFailure("cannot start " + command_line + ": error " +
                          std::to_string(::GetLastError()));
  }
  ::CloseHandle(process.hThread);
  processes_.push_back(process.hProcess);
  return process.hProcess;
}

void Scenario::Start(const std::string& program, const std::string& arguments) {
  program_ = Launch(program, arguments);
}

void Scenario::StartInConsole(const std::string& program, const std::string& arguments) {
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  auto open = [&](const std::string& path, DWORD access, DWORD disposition) {
    return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = open("NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = open(Path("stdout.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = open(Path("stderr.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  program_ = Launch(program, arguments, &startup);
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    ::CloseHandle(handle);
  }
}

void Scenario::StartHelper(const std::string& program, const std::string& arguments) {
  Launch(program, arguments);
}

HWND Scenario::WaitForWindow(const char* class_name, const std::string& caption, int seconds) {
  HWND window = nullptr;
  if (!PollUntil(seconds, [&] { return (window = FindVisibleWindow(class_name, caption)); })) {
    throw ScenarioFailure("no window \"" + caption + "\" within " + std::to_string(seconds) + " s");
  }
  return window;
}

MessageBoxView Scenario::WaitForBox(const std::string& caption, int seconds) {
  HWND box = WaitForWindow(kDialogClass, caption, seconds);
  return {box, ControlText(box, kMessageBoxTextId)};
}

void Scenario::ExpectNoWindow(const char* class_name, const std::string& caption, int seconds) {
  if (PollUntil(seconds, [&] { return FindVisibleWindow(class_name, caption) != nullptr; })) {
    throw ScenarioFailure("unexpected window \"" + caption + "\"");
  }
}

void Scenario::WaitUntilGone(HWND window, int seconds) {
  if (!PollUntil(seconds, [&] { return !::IsWindow(window) || !::IsWindowVisible(window); })) {
    throw ScenarioFailure("window \"" + WindowText(window) + "\" still there");
  }
}

DWORD Scenario::WaitForExit(int seconds) {
  Expect(program_ != nullptr, "a program was started");
  if (::WaitForSingleObject(program_, static_cast<DWORD>(seconds) * 1000) != WAIT_OBJECT_0) {
    throw ScenarioFailure("the program did not end within " + std::to_string(seconds) + " s");
  }
  DWORD exit_code = 0;
  ::GetExitCodeProcess(program_, &exit_code);
  return exit_code;
}

void Scenario::WaitUntil(const std::function<bool()>& condition, const std::string& what,
                         int seconds) {
  if (!PollUntil(seconds, condition)) throw ScenarioFailure("timed out waiting: " + what);
}

void Scenario::WaitForControlText(HWND dialog, int control_id, const std::string& expected,
                                  int seconds) {
  if (!PollUntil(seconds, [&] { return ControlText(dialog, control_id) == expected; })) {
    ExpectEq(ControlText(dialog, control_id), expected,
             "text of control " + std::to_string(control_id));
  }
}

void Scenario::WaitForFile(const std::string& name, int seconds) {
  if (!PollUntil(seconds, [&] { return FileExists(name); })) {
    throw ScenarioFailure("no file " + name + " within " + std::to_string(seconds) + " s");
  }
}

void Scenario::CopyFolder(const std::string& source, const std::string& name) {
  std::error_code error;
  std::filesystem::copy(source, Path(name), std::filesystem::copy_options::recursive, error);
  if (error) throw ScenarioFailure("cannot copy " + source + ": " + error.message());
}

bool Scenario::FileExists(const std::string& name) const {
  const DWORD attributes = ::GetFileAttributesA(Path(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Scenario::ReadFile(const std::string& name) const { return ReadWholeFile(Path(name)); }

void Scenario::Expect(bool condition, const std::string& what) const {
  if (!condition) throw ScenarioFailure("expected: " + what);
}

void Scenario::Shot(const std::string& name) {
  if (!screenshots_) return;
  const std::string request = "shot-" + name + ".request";
  ::Sleep(300);  // let the windows finish painting
  std::ofstream(Path(request)) << name << "\n";
  if (!PollUntil(15, [&] { return !FileExists(request); })) {
    throw ScenarioFailure("nobody took the screenshot " + name);
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ScenarioFailure("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ScriptSetting(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') {
    throw ScenarioFailure(std::string("the test script did not set ") + name);
  }
  return value;
}

std::string SourcePath(const std::string& relative) {
  std::string path = ScriptSetting("IVARSCAN_SOURCE_DIR") + "\\" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    if (!joined.empty()) joined += ", ";
    joined += text;
  }
  return joined;
}

}  // namespace ivarscan::wine
