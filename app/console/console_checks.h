// What the console edition checks and says beyond the shell's own messages: a repository
// folder that cannot be used at all, why a project is not listed, a report file that
// cannot be written, and a baseline that belongs to another run than this one.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_CHECKS_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_CHECKS_H_

#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/baseline.h"
#include "platform/env.h"

namespace ivarscan {

// Empty when `folder` can be listed; else one line naming the folder, where it came from
// (`source`, see RepositorySource) and the system's reason. Waiting cannot mend such a
// folder, so the console says so at once instead of retrying.
std::string RepositoryFolderProblem(Env& env, const std::string& folder, const std::string& source);

// Why the project `name` is not among the projects of `folder`: its folder has no
// project.ini or cannot be read. Empty when there is no such folder.
std::string WhyNotAProject(Env& env, const std::string& folder, const std::string& name);

// "cannot create /work/DUPIVars25.TXT: No such file or directory".
std::string FileFailureLine(const FileFailure& failure);

// Warnings about a baseline read from `path` for a run on `project` (as the repository
// holds it): taken from a cancelled run, or from another project.
std::vector<std::string> BaselineWarnings(const Baseline& baseline, const std::string& path,
                                          const std::string& project);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_CHECKS_H_
