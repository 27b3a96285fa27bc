#include "platform/runtime_state.h"

#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "platform/env.h"
#include "platform/work_folder.h"

namespace ivarscan {
namespace {

void RingBell(std::uint32_t, std::uint32_t) {
  std::fputc('\a', stderr);
  std::fflush(stderr);
}

struct RuntimeState {
  bool error_log = true;
  bool beep = false;
  bool net_error = false;
  int error_level = 0;
  ToneFunction tone = RingBell;
  std::map<std::uint64_t, std::function<void()>> quit_work;
  std::uint64_t next_registration = 1;
  std::string work_dir;
  std::string default_dir;
  std::string default_folder;
  bool initialised = false;
};

RuntimeState& State() {
  static RuntimeState* state = new RuntimeState;  // never destroyed: read until exit
  return *state;
}

}  // namespace

bool SetErrorLog() { return State().error_log; }
bool SetErrorLog(bool on) { return std::exchange(State().error_log, on); }

bool SetBeep() { return State().beep; }
bool SetBeep(bool on) { return std::exchange(State().beep, on); }

void Tone(std::uint32_t frequency, std::uint32_t duration) { State().tone(frequency, duration); }

ToneFunction SetToneFunction(ToneFunction tone) { return std::exchange(State().tone, tone); }

bool NetErr() { return State().net_error; }
bool NetErr(bool on) { return std::exchange(State().net_error, on); }

int ErrorLevel() { return State().error_level; }
int ErrorLevel(int code) { return std::exchange(State().error_level, code); }

void MathInit() {
  std::feclearexcept(FE_ALL_EXCEPT);
  std::fesetround(FE_TONEAREST);
}

namespace {

using Registry = std::map<std::uint64_t, std::function<void()>>;

std::uint64_t Register(Registry& registry, std::function<void()> work) {
  const std::uint64_t id = State().next_registration++;
  registry.emplace(id, std::move(work));
  return id;
}

// Runs and removes every entry, newest first.
void RunAll(Registry& registry) {
  while (!registry.empty()) {
    auto newest = std::prev(registry.end());
    std::function<void()> work = std::move(newest->second);
    registry.erase(newest);
    work();
  }
}

}  // namespace

void VODBCloseAll() {}

QuitRegistration::QuitRegistration(std::function<void()> on_quit)
    : id_(Register(State().quit_work, std::move(on_quit))) {}

QuitRegistration::~QuitRegistration() { State().quit_work.erase(id_); }

void QuitProgram() {
  RunAll(State().quit_work);
  std::exit(State().error_level);
}

std::string WorkDir() { return State().work_dir.empty() ? DefaultWorkFolder() : State().work_dir; }

void SetWorkDir(const std::string& folder) { State().work_dir = JoinPath(folder, ""); }

std::string GetDefaultDir() { return State().default_dir; }
void SetDefaultDir(const std::string& folder) { State().default_dir = folder; }
std::string GetDefault() { return State().default_folder; }
void SetDefault(const std::string& folder) { State().default_folder = folder; }

bool FirstRuntimeInitialisation() { return !std::exchange(State().initialised, true); }

}  // namespace ivarscan
