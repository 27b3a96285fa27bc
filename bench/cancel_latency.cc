// Measures how soon a report run sees a Cancel. It runs REPORTALL on a repository folder's
// current project with a progress dialog whose Cancel button a timer thread "clicks" at a
// random moment while the dialog is shown, and prints for every run the time from the
// click to the servicing of events that sets LABORT, and to the dialog's end.
//
// Three runs without a click first measure how long the dialog is shown and the longest
// time between two servicings of its events (or the dialog's show or end): no click can
// wait longer than that.
//
//   cancel_latency --repository DIR [--runs N] [--threads N] [--seed N]
//
// The project is read once, before the first run; the report files go to a scratch folder.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/app_context.h"
#include "app/report_run.h"
#include "app/ui.h"
#include "platform/env.h"
#include "platform/parallel.h"
#include "platform/variant.h"
#include "repo/projects.h"
#include "store/folder_repository.h"

namespace ivarscan {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// One run as the dialog saw it. The click comes from a thread of its own, `delay` after
// the dialog is shown (never when the delay is negative), and takes effect at the next
// servicing of the dialog's events, as a click waiting in a window's event queue does.
class Observer {
 public:
  explicit Observer(Clock::duration delay) : delay_(delay) {}
  ~Observer() {
    Stop();
    if (clicker_.joinable()) clicker_.join();
  }

  void Shown() {
    shown_at_ = last_servicing_ = Clock::now();
    if (delay_ >= Clock::duration::zero()) clicker_ = std::thread([this] { ClickLater(); });
  }
  // A servicing of the dialog's events; true when it sees the click.
  bool Serviced() {
    NoteGap(Clock::now());
    if (seen() || !clicked_.load(std::memory_order_acquire)) return false;
    seen_at_ = Clock::now();  // not before the click, which may have come just now
    return true;
  }
  void Ended() {
    ended_at_ = Clock::now();
    NoteGap(ended_at_);
    Stop();
  }

  bool seen() const { return seen_at_ != Clock::time_point(); }
  double shown_ms() const { return Milliseconds(ended_at_ - shown_at_); }
  double longest_gap_ms() const { return Milliseconds(longest_gap_); }
  double clicked_ms() const { return Milliseconds(clicked_at_ - shown_at_); }
  double seen_ms() const { return Milliseconds(seen_at_ - clicked_at_); }
  double ended_ms() const { return Milliseconds(ended_at_ - clicked_at_); }

 private:
  void ClickLater() {
    std::unique_lock lock(mutex_);
    if (changed_.wait_until(lock, shown_at_ + delay_, [this] { return stopped_; })) return;
    clicked_at_ = Clock::now();
    clicked_.store(true, std::memory_order_release);
  }
  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
  }
  void NoteGap(Clock::time_point now) {
    longest_gap_ = std::max(longest_gap_, now - last_servicing_);
    last_servicing_ = now;
  }

  const Clock::duration delay_;
  Clock::time_point shown_at_, clicked_at_, seen_at_, ended_at_, last_servicing_;
  Clock::duration longest_gap_{};
  std::atomic<bool> clicked_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopped_ = false;
  std::thread clicker_;
};

class ObservedProgress final : public ProgressWindow {
 public:
  explicit ObservedProgress(Observer& observer) : observer_(observer) {}
  void SetCaption(std::string_view) override {}
  void Show() override { observer_.Shown(); }
  void ENDDIALOG() override { observer_.Ended(); }
  void DESCRIPTION(std::string_view) override {}
  void TASK(std::string_view) override {}
  void SetProgressRange(int, int) override {}
  void SetProgressPosition(int) override {}
  bool LABORT() const override { return abort_; }
  void ApplicationExec() override { abort_ = observer_.Serviced() || abort_; }

 private:
  Observer& observer_;
  bool abort_ = false;
};

class ObservedUi final : public Ui {
 public:
  explicit ObservedUi(Observer& observer) : observer_(observer) {}
  int ShowMessageBox(std::string_view, std::string_view, BoxStyle) override { return kIdOk; }
  std::unique_ptr<ProjectDialog> NewProjectDialog() override { return nullptr; }
  std::unique_ptr<ProgressWindow> NewProgressWindow() override {
    return std::make_unique<ObservedProgress>(observer_);
  }

 private:
  Observer& observer_;
};

class QuietDesktop final : public Desktop {
 public:
  bool FindTopLevelWindow(const std::string&) override { return false; }
  void SendCloseMessage(const std::string&) override {}
  bool OpenInViewer(const std::string&, const std::string&) override { return true; }
};

// One REPORTALL, observed; false when it did not end as expected.
bool Run(FolderRepository& repo, unsigned threads, Observer& observer) {
  ObservedUi ui(observer);
  QuietDesktop desktop;
  AppContext context{repo,       ui,
                     desktop,    *Env::Default(),
                     kVariant25, [](const FileFailure&) {
                       return FileFailureAnswer::kAbandon; }};
  context.threads = threads;
  const ReportOutcome outcome = REPORTALL(context);
  return outcome == (observer.seen() ? ReportOutcome::kCancelled : ReportOutcome::kComplete);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

int Measure(const std::string& repository, int runs, unsigned threads, unsigned seed) {
  FolderRepository repo(Env::Default(), fs::absolute(repository).string(), threads);
  if (repo.AdamInit(0, nullptr) != 0 || GETAPPS(repo, false, true).empty()) {
    std::fprintf(stderr, "cannot read the current project of %s\n", repository.c_str());
    return 1;
  }
  const fs::path scratch =
      fs::temp_directory_path() / ("ivarscan-cancel-" + std::to_string(::getpid()));
  fs::create_directories(scratch);
  fs::current_path(scratch);

  // Clicks fall within the shortest of three uncancelled runs, so that most are seen.
  double shortest_ms = 0;
  for (int i = 0; i < 3; ++i) {
    Observer whole(Clock::duration(-1));
    if (!Run(repo, threads, whole)) return 1;
    std::printf("uncancelled run: dialog shown %.1f ms, longest time between servicings %.3f ms\n",
                whole.shown_ms(), whole.longest_gap_ms());
    shortest_ms = i == 0 ? whole.shown_ms() : std::min(shortest_ms, whole.shown_ms());
  }

  std::mt19937 random(seed);
  std::uniform_real_distribution<double> moment(0, shortest_ms);
  std::vector<double> seen;
  std::vector<double> ended;
  for (int i = 0; i < runs; ++i) {
    const auto delay = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double, std::milli>(moment(random)));
    Observer observer(delay);
    if (!Run(repo, threads, observer)) return 1;
    if (!observer.seen()) {
      std::printf("run %2d: the run ended before the click\n", i + 1);
      continue;
    }
    seen.push_back(observer.seen_ms());
    ended.push_back(observer.ended_ms());
    std::printf("run %2d: click at %8.1f ms, seen after %.3f ms, dialog ended after %.3f ms\n",
                i + 1, observer.clicked_ms(), observer.seen_ms(), observer.ended_ms());
  }
  std::error_code ignored;
  fs::current_path(fs::temp_directory_path(), ignored);
  fs::remove_all(scratch, ignored);
  if (seen.empty()) return 1;
  std::printf(
      "%zu clicks: seen after median %.3f ms, longest %.3f ms; dialog ended after "
      "median %.3f ms, longest %.3f ms\n",
      seen.size(), Median(seen), *std::max_element(seen.begin(), seen.end()), Median(ended),
      *std::max_element(ended.begin(), ended.end()));
  return 0;
}

int Main(int argc, char** argv) {
  std::string repository;
  int runs = 20;
  unsigned threads = DefaultThreadCount();
  unsigned seed = 1;
  bool usable = argc % 2 == 1;
  for (int i = 1; usable && i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (option == "--repository") {
      repository = argv[i + 1];
    } else if (option == "--runs") {
      runs = std::max(1, value);
    } else if (option == "--threads") {
      threads = static_cast<unsigned>(std::max(1, value));
    } else if (option == "--seed") {
      seed = static_cast<unsigned>(value);
    } else {
      usable = false;
    }
  }
  if (!usable || repository.empty()) {
    std::fprintf(stderr,
                 "usage: cancel_latency --repository DIR [--runs N] [--threads N] [--seed N]\n");
    return 2;
  }
  return Measure(repository, runs, threads, seed);
}

}  // namespace
}  // namespace ivarscan

int main(int argc, char** argv) { return ivarscan::Main(argc, argv); }
