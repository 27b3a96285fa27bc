// Duplicate detection: the report block of one application. For every class the
// application declares, the chain of parent classes is resolved in the application itself,
// in the applications it uses (its search path, followed transitively) and in the
// "System Library", and every instance variable that the class declares more than once,
// or that one of its ancestors declares as well, is listed.
#ifndef IVARSCAN_ENGINE_APP_REPORT_H_
#define IVARSCAN_ENGINE_APP_REPORT_H_

#include "engine/class_list_cache.h"
#include "engine/findings.h"
#include "engine/progress_dialog.h"
#include "engine/report_writer.h"
#include "repo/repository_access.h"

namespace ivarscan {

// Hands the findings of `application` to `findings` in report order and keeps `dialog` up
// to date, servicing its events at fixed points and stopping when its LABORT flag turns
// true (EndApplication then says so; a class whose variables were being compared is still
// handed over with what was found so far when it has anything). Returns true in every
// case.
//
// The class lists of the application, of those it uses and of the System Library come from
// `classes`, which a run shares between its calls so that each list is collected once;
// without it the call collects every list afresh. The findings are the same either way.
bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, FindingSink& findings,
                  ProgressDialog& dialog, ClassListCache* classes = nullptr);

// REPORTAPPDUP with the findings written as the text report's block of the application.
bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
                  ProgressDialog& dialog, ClassListCache* classes = nullptr);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_APP_REPORT_H_
