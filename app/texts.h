// The texts the shell shows and writes, in one place.
#ifndef IVARSCAN_APP_TEXTS_H_
#define IVARSCAN_APP_TEXTS_H_

#include <string>

#include "engine/text_report.h"

namespace ivarscan::texts {

// The maker's web address is the report's (the report's own texts are in
// engine/text_report.h).
using report_text::kMakerAddress;

// The text of the closing note.
inline std::string ClosingNote() {
  return std::string("Remember to visit ") + kMakerAddress +
         " for more essential utilities like the Quorvex!";
}

inline constexpr char kIntroductionCaption[] = "Quorvex";
inline constexpr char kIntroduction[] =
    "CA-Visual Objects 2.5 will give compiler errors for classes that contain instance "
    "variables that are duplicates of those in parent classes.\r\n\r\n"
    "This can result in many compiler errors when code is moved from 2.0 to 2.5. This  "
    "program will examine all the classes in a project and report any duplicates found. You "
    "can then correct them before compiling and so reduce the number of errors reported.  "
    "(This program will not make any changes to your code - that is left for you to do!)"
    "\r\n\r\nDo you want to continue?";

inline constexpr char kOfferCaption[] = "Warning";
inline constexpr char kOfferToClose[] =
    "CA-Visual objects is running.\r\nIt needs to be shut down for this utility to run.\r\n\r\n"
    "Can I shut it down for you?";
inline constexpr char kStillRunning[] =
    "CA-Visual Objects is still running. The utility cannot proceed.";

inline constexpr char kRepositoryUnavailable[] = "Could not access the repository";
inline constexpr char kSelectionFailed[] = "Could not select project ";
inline constexpr char kClosingNoteCaption[] = "QRVX";

inline constexpr char kIdeWindowClass[] = "CAVO20MainWClass";
inline constexpr char kProgressCaption[] = "Duplicate Instance Variables in ";

}  // namespace ivarscan::texts

#endif  // IVARSCAN_APP_TEXTS_H_
