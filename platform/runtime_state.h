// Process-wide state and services of the runtime that the error handler reads or calls:
// the logging and beep settings, the tone, the network-error flag, the exit code, the
// floating-point reset, closing data files, quitting, the work folder and the default
// folders of the file services.
#ifndef IVARSCAN_PLATFORM_RUNTIME_STATE_H_
#define IVARSCAN_PLATFORM_RUNTIME_STATE_H_

#include <cstdint>
#include <functional>
#include <string>

namespace ivarscan {

// Error logging: on by default. The one-argument form sets it and returns the old value.
bool SetErrorLog();
bool SetErrorLog(bool on);

// Beep on error: off by default (the console edition runs unattended in scripts).
bool SetBeep();
bool SetBeep(bool on);

// Plays a tone of `frequency` Hz for `duration` ticks of 1/18 second. The default rings
// the terminal bell on standard error once per tone.
void Tone(std::uint32_t frequency, std::uint32_t duration);

// Replaces what Tone does (tests record the tones); returns the previous function.
using ToneFunction = void (*)(std::uint32_t frequency, std::uint32_t duration);
ToneFunction SetToneFunction(ToneFunction tone);

// The network-error flag, set when a sharing conflict was answered silently.
bool NetErr();
bool NetErr(bool on);

// The process exit code that QuitProgram ends with. The one-argument form returns the old value.
int ErrorLevel();
int ErrorLevel(int code);

// Resets the floating-point environment: clears raised exceptions, default rounding.
void MathInit();

// Closes the open data files before the program quits. The programs open no data files
// (the report is a plain file that QuitRegistration writes out), so there is nothing to do.
void VODBCloseAll();

// Work that must be done before the program quits through QuitProgram, such as writing out a
// buffer: `on_quit` runs at most once, from QuitProgram, unless the registration ends first.
class QuitRegistration {
 public:
  explicit QuitRegistration(std::function<void()> on_quit);
  ~QuitRegistration();
  QuitRegistration(const QuitRegistration&) = delete;
  QuitRegistration& operator=(const QuitRegistration&) = delete;

 private:
  std::uint64_t id_;
};

// Runs what is registered to run on quitting, newest first, then ends the program with the
// exit code set through ErrorLevel (exit handlers run).
[[noreturn]] void QuitProgram();

// The program's work folder, ending in the path separator: DefaultWorkFolder()
// (platform/work_folder.h), a folder the user can write, unless SetWorkDir chose another.
std::string WorkDir();

// Makes `folder` the work folder (a separator is added when missing); empty text returns to
// the default.
void SetWorkDir(const std::string& folder);

// The two default-folder settings of the file services; both empty unless set.
std::string GetDefaultDir();
void SetDefaultDir(const std::string& folder);
std::string GetDefault();
void SetDefault(const std::string& folder);

// True the first time it is called in the process: whether the runtime services are being
// initialised for the first time.
bool FirstRuntimeInitialisation();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_RUNTIME_STATE_H_
