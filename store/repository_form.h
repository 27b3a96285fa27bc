// RepositoryForm: one form in which a repository can lie in a folder (a folder of project
// folders with repository.ini, a bare folder of application exports, a folder that holds no
// project). FolderRepository chooses the form once, when it opens the repository
// (store/repository_forms.h), and asks it everything that differs between forms: how other
// runs are kept out, which projects there are, where a project's files lie, what selecting
// a project writes, and how a run that was killed is repaired. Statuses are those of
// store/folder_status.h.
#ifndef IVARSCAN_STORE_REPOSITORY_FORM_H_
#define IVARSCAN_STORE_REPOSITORY_FORM_H_

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "repo/repository_access.h"
#include "store/skipped_file.h"

namespace ivarscan {

// Where a project's files lie.
struct ProjectPlace {
  std::string folder;
  // The same folder relative to the repository folder, '/'-separated; empty for the
  // repository folder itself.
  std::string relative;
};

class RepositoryForm {
 public:
  virtual ~RepositoryForm() = default;

  // Begins a session: takes what keeps other runs out, if the form needs anything, puts back
  // what a run that was killed had changed, and finds the current project. What could not
  // be read goes to `skipped`.
  virtual Status Open(SkipList* skipped) = 0;
  // Ends the session: drops what it recorded for the repair of a killed run and releases
  // what Open took. Only called after a successful Open.
  virtual Status Close() = 0;

  // The current project; empty when none is.
  virtual const std::string& current() const = 0;
  // The names of the projects in catalogue order. Fails only when the folder cannot be
  // listed; names it leaves out go to `skipped`.
  virtual std::error_code ListProjects(std::vector<std::string>* names, SkipList* skipped) = 0;
  // Makes the project `name` current (see MatchProject): kFolderNotFound when there is no
  // such project, kFolderWriteFailed when what records the choice cannot be written.
  virtual Status Select(std::string_view name, SkipList* skipped) = 0;
  // Where the files of the project `project` (a name that ListProjects gave) lie; nullopt
  // when it has none now.
  virtual std::optional<ProjectPlace> PlaceOf(const std::string& project) = 0;

  // What the system said when Open last failed, for the status text; empty when nothing.
  virtual std::error_code open_error() const { return {}; }
};

// The project of `form` named `name`, ignoring letter case when no name matches exactly;
// nullopt when there is none (or the folder cannot be listed).
std::optional<std::string> MatchProject(RepositoryForm& form, std::string_view name,
                                        SkipList* skipped);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_REPOSITORY_FORM_H_
