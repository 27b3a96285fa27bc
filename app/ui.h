// The GUI toolkit as the application shell uses it: message boxes, the project dialog and
// the progress dialog. The desktop front end (app/win32/) builds them from the dialog
// templates; the console front end (app/console/) renders them in a terminal; tests use
// scripted doubles.
#ifndef IVARSCAN_APP_UI_H_
#define IVARSCAN_APP_UI_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/progress_dialog.h"
#include "repo/records.h"

namespace ivarscan {

// Button identifiers returned by message boxes (the Win32 values).
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

enum class BoxStyle {
  kQuestionYesNo,  // Yes and No, Yes the default, question-mark icon
  kErrorOk,        // OK, stop icon, the platform's standard error caption
  kInformationOk,  // OK, information icon
};

// The modal project dialog WinPrj: a sorted list of project names, OK and Cancel.
class ProjectDialog {
 public:
  virtual ~ProjectDialog() = default;
  // One item per project: the name shown, the description carried with it.
  virtual void FillList(const std::vector<ProjectRecord>& projects) = 0;
  // Selects the item of that name; no item matches: nothing is selected.
  virtual void SetListValue(const std::string& name) = 0;
  virtual void FocusList() = 0;
  // Shows the dialog modally and returns the result it ended with: 1 = OK, 0 = Cancel.
  virtual int Show() = 0;
  // The chosen project's name, set when the dialog ended with result 1.
  virtual const std::string& CHOSEN() const = 0;
};

// The modeless progress dialog WinProgress, as the report run sees it.
class ProgressWindow : public ProgressDialog {
 public:
  virtual void SetCaption(std::string_view caption) = 0;
  // Shows the dialog and returns at once.
  virtual void Show() = 0;
  // Closes and destroys the dialog.
  virtual void ENDDIALOG() = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // Shows a message box without owner window and returns the button pressed. An empty
  // caption stands for the platform's standard caption of error boxes.
  virtual int ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) = 0;

  virtual std::unique_ptr<ProjectDialog> NewProjectDialog() = 0;
  virtual std::unique_ptr<ProgressWindow> NewProgressWindow() = 0;

  // A passing remark for the user, such as why nothing seems to happen while the
  // repository is being waited for. The desktop shows none.
  virtual void Notify(std::string_view /*text*/) {}
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_UI_H_
