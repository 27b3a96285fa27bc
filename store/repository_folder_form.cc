#include "store/repository_folder_form.h"

#include "platform/text.h"
#include "store/folder_status.h"
#include "store/project_folder.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

constexpr std::string_view kSettingsFile = "repository.ini";
constexpr std::string_view kLockFile = "repository.lock";
constexpr std::string_view kSection = kRepositorySection;
constexpr std::string_view kCurrentKey = kCurrentProjectKey;

}  // namespace

RepositoryFolderForm::RepositoryFolderForm(Env& env, std::string folder)
    : env_(env), folder_(std::move(folder)) {}

std::string RepositoryFolderForm::SettingsPath() const { return JoinPath(folder_, kSettingsFile); }

Status RepositoryFolderForm::Open(SkipList* skipped) {
  std::unique_ptr<FileLock> lock;
  if (std::error_code error = env_.LockFile(JoinPath(folder_, kLockFile), &lock)) {
    lock_error_ = error;
    return IsLockHeld(error) ? kFolderLocked : kFolderLockUnusable;
  }
  if (Status status = RestoreAfterDeadSession(skipped)) return status;  // the lock goes with `lock`
  lock_ = std::move(lock);
  return kFolderOk;
}

Status RepositoryFolderForm::Close() {
  Status status = kFolderOk;
  if (previous_) {
    std::string text;
    status = env_.ReadFile(SettingsPath(), &text) ? kFolderWriteFailed
                                                  : WriteSettings(ForgetPreviousProject(text));
  }
  previous_.reset();
  current_.clear();
  lock_.reset();
  return status;
}

std::error_code RepositoryFolderForm::ListProjects(std::vector<std::string>* names,
                                                   SkipList* skipped) {
  return ivarscan::ListProjects(env_, folder_, names, skipped);
}

std::optional<ProjectPlace> RepositoryFolderForm::PlaceOf(const std::string& project) {
  ProjectPlace place{JoinPath(folder_, project), project};
  if (!env_.FileExists(JoinPath(place.folder, kProjectSettingsFile))) return std::nullopt;
  return place;
}

std::error_code RepositoryFolderForm::ReadSettings(std::optional<std::string>* text) {
  std::string contents;
  if (std::error_code error = env_.ReadFile(SettingsPath(), &contents)) {
    text->reset();
    return env_.FileExists(SettingsPath()) ? error : std::error_code();
  }
  *text = std::move(contents);
  return {};
}

// Reads the current project; when a session that had changed it never closed the
// repository, first puts back what the file said before that session.
Status RepositoryFolderForm::RestoreAfterDeadSession(SkipList* skipped) {
  std::optional<std::string> text;
  if (std::error_code error = ReadSettings(&text)) {
    skipped->Add(SettingsPath(), FailureReason("cannot be read: no project is current", error));
  }
  const std::string contents = text.value_or("");
  std::string current(SettingsFile::Parse(contents).Get(kSection, kCurrentKey));
  if (std::optional<PreviousProject> previous = RecordedPreviousProject(contents)) {
    if (Status status = PutBack(contents, *previous)) return status;
    current = previous->value;
  }
  current_ = MatchProject(*this, current, skipped).value_or(current);
  return kFolderOk;
}

Status RepositoryFolderForm::PutBack(std::string_view text, const PreviousProject& previous) {
  const std::optional<std::string> restored = PutBackPreviousProject(text, previous);
  if (restored) return WriteSettings(*restored);
  const std::error_code error = env_.RemoveFile(SettingsPath());
  return error && env_.FileExists(SettingsPath()) ? kFolderWriteFailed : kFolderOk;
}

Status RepositoryFolderForm::WriteSettings(const std::string& text) {
  return env_.WriteFileAtomically(SettingsPath(), text) ? kFolderWriteFailed : kFolderOk;
}

Status RepositoryFolderForm::Select(std::string_view name, SkipList* skipped) {
  // Rewrite repository.ini from what it holds now, so that no other line is lost; a file
  // that exists but cannot be read is therefore left alone.
  std::optional<std::string> text;
  if (ReadSettings(&text)) return kFolderWriteFailed;
  const std::string contents = text.value_or("");
  if (previous_ && EqualsIgnoringCase(name, previous_name_)) {
    // The project that was current before this session: put back exactly what the file
    // said, be it a project that no longer exists, no project, or no file at all.
    if (Status status = PutBack(contents, *previous_)) return status;
    previous_.reset();
    current_ = previous_name_;
    return kFolderOk;
  }
  std::optional<std::string> project = MatchProject(*this, name, skipped);
  if (!project) return kFolderNotFound;

  std::string updated = SetSettingsValue(contents, kSection, kCurrentKey, *project);
  const bool record = !previous_ && *project != current_;
  const PreviousProject previous = PreviousProjectOf(text);
  if (record) updated = RecordPreviousProject(updated, previous);
  if (!text || updated != contents) {
    if (Status status = WriteSettings(updated)) return status;
  }
  if (record) {
    previous_ = previous;
    previous_name_ = current_;
  }
  current_ = std::move(*project);
  return kFolderOk;
}

}  // namespace ivarscan
