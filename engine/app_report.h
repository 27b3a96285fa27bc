// Duplicate detection: the report block of one application. For every class the
// application declares, the chain of parent classes is resolved in the application itself,
// in the applications it uses (its search path, followed transitively) and in the
// "System Library", and every instance variable that the class declares more than once,
// or that one of its ancestors declares as well, is listed.
#ifndef IVARSCAN_ENGINE_APP_REPORT_H_
#define IVARSCAN_ENGINE_APP_REPORT_H_

#include "engine/progress_dialog.h"
#include "engine/report_writer.h"
#include "repo/repository_access.h"

namespace ivarscan {

// Appends the block of `application` to the open report and keeps `dialog` up to date,
// servicing its events at fixed points and stopping when its LABORT flag turns true (the
// block then ends with "!!!!! Processing cancelled !!!!!"). Nothing is kept from one call to
// the next. Returns true in every case.
bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
                  ProgressDialog& dialog);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_APP_REPORT_H_
