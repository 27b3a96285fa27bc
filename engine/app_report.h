// Duplicate detection: the report block of one application. For every class the
// application declares, the chain of parent classes is resolved in the application itself,
// in the applications it uses (its search path, followed transitively) and in the
// "System Library", and every instance variable that the class declares more than once,
// or that one of its ancestors declares as well, is listed.
#ifndef IVARSCAN_ENGINE_APP_REPORT_H_
#define IVARSCAN_ENGINE_APP_REPORT_H_

#include "engine/findings.h"
#include "engine/progress_dialog.h"
#include "engine/report_writer.h"
#include "repo/repository_access.h"

namespace ivarscan {

// Hands the findings of `application` to `findings` in report order and keeps `dialog` up
// to date, servicing its events at fixed points and stopping when its LABORT flag turns
// true (EndApplication then says so; a class whose variables were being compared is still
// handed over with what was found so far when it has anything). Nothing is kept from one
// call to the next. Returns true in every case.
bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, FindingSink& findings,
                  ProgressDialog& dialog);

// REPORTAPPDUP with the findings written as the text report's block of the application.
bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
                  ProgressDialog& dialog);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_APP_REPORT_H_
