// ProgressDialog: what the analysis needs of the progress dialog. The desktop dialog, the
// terminal progress line and the scripted test double all implement it.
//
// The dialog reacts only while its events are serviced: the analysis calls
// ApplicationExec() after each update and tests LABORT() where it can stop. LABORT only
// ever turns from false to true.
#ifndef IVARSCAN_ENGINE_PROGRESS_DIALOG_H_
#define IVARSCAN_ENGINE_PROGRESS_DIALOG_H_

#include <string_view>

namespace ivarscan {

class ProgressDialog {
 public:
  virtual ~ProgressDialog() = default;

  // Sets the description line.
  virtual void DESCRIPTION(std::string_view text) = 0;
  // Sets the task line.
  virtual void TASK(std::string_view text) = 0;
  // Sets the progress bar's range and position.
  virtual void SetProgressRange(int minimum, int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  // True once the user asked to cancel.
  virtual bool LABORT() const = 0;
  // Services every pending event (repaints, a Cancel click) and returns. Called millions
  // of times on a large repository, so it must cost next to nothing when none is pending.
  virtual void ApplicationExec() = 0;
  // Services the pending events now, however recently ApplicationExec last looked, so that
  // a Cancel click counts in the application during which it was made. Called as each
  // application's block ends.
  virtual void ServiceEventsNow() { ApplicationExec(); }
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_PROGRESS_DIALOG_H_
