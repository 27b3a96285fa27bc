#include "app/console/terminal_progress.h"

#include <algorithm>
#include <ostream>

#include "platform/console.h"

namespace ivarscan {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
constexpr unsigned kCallsBetweenClockReads = 256;
constexpr int kBarWidth = 20;
constexpr std::size_t kLineWidth = 100;

}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err, bool redraw_in_place)
    : err_(err), redraw_in_place_(redraw_in_place) {}

TerminalProgress::~TerminalProgress() {
  if (shown_) ENDDIALOG();
}

void TerminalProgress::SetCaption(std::string_view caption) { caption_ = caption; }

void TerminalProgress::Show() {
  shown_ = true;
  CatchInterrupt();
  if (!redraw_in_place_) err_ << caption_ << std::endl;
}

void TerminalProgress::ENDDIALOG() {
  if (!shown_) return;
  shown_ = false;
  ReleaseInterrupt();
  if (redraw_in_place_) err_ << "\r\033[K" << std::flush;
}

void TerminalProgress::DESCRIPTION(std::string_view text) {
  description_ = text;
  // Without a terminal, the start of each application's own classes makes one line.
  if (!redraw_in_place_ && shown_ && description_.rfind("Processing:", 0) == 0) {
    err_ << description_ << std::endl;
  }
}

void TerminalProgress::TASK(std::string_view text) { task_ = text; }

void TerminalProgress::SetProgressRange(int, int maximum) { maximum_ = maximum; }

void TerminalProgress::SetProgressPosition(int position) { position_ = position; }

void TerminalProgress::ApplicationExec() {
  if (InterruptRequested()) abort_ = true;
  if (!redraw_in_place_ || !shown_ || ++calls_ % kCallsBetweenClockReads != 0) return;
  auto now = std::chrono::steady_clock::now();
  if (now - last_redraw_ < kRedrawInterval) return;
  last_redraw_ = now;
  Redraw();
}

void TerminalProgress::Redraw() { err_ << "\r\033[K" << Line() << std::flush; }

std::string TerminalProgress::Line() const {
  // The bar's position as a share of its maximum: 33, 66 and 100 for three classes.
  const int percent = std::clamp(position_ * 100 / std::max(1, maximum_), 0, 100);
  const int filled = percent * kBarWidth / 100;
  std::string line = description_ + "  " + task_;
  if (line.size() > kLineWidth - kBarWidth - 8) line.resize(kLineWidth - kBarWidth - 8);
  return line + " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
         std::to_string(percent) + "%";
}

}  // namespace ivarscan
