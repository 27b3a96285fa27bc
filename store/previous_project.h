// The state of repository.ini's CurrentProject before a session changed it, kept so that
// it can be put back exactly: the same value, no key where there was none, no file where
// there was none. While the session runs it is recorded in the file itself, so that the
// next open puts it back when the session dies:
//
//   RestoreProject=<the value before>     always
//   RestoreMissing=Key | File             when there was no CurrentProject key, or no file
#ifndef IVARSCAN_STORE_PREVIOUS_PROJECT_H_
#define IVARSCAN_STORE_PREVIOUS_PROJECT_H_

#include <optional>
#include <string>
#include <string_view>

namespace ivarscan {

// Where repository.ini names the current project.
inline constexpr std::string_view kRepositorySection = "Repository";
inline constexpr std::string_view kCurrentProjectKey = "CurrentProject";

struct PreviousProject {
  enum class Form { kValue, kNoKey, kNoFile };
  Form form = Form::kValue;
  std::string value;  // the CurrentProject value; empty unless `form` is kValue

  friend bool operator==(const PreviousProject&, const PreviousProject&) = default;
};

// What `text` (the contents of repository.ini; nullopt when there is no file) says of the
// current project.
PreviousProject PreviousProjectOf(const std::optional<std::string>& text);

// `text` with `previous` recorded in it.
std::string RecordPreviousProject(std::string_view text, const PreviousProject& previous);

// The previous state recorded in `text`; nullopt when none is.
std::optional<PreviousProject> RecordedPreviousProject(std::string_view text);

// `text` without the record, CurrentProject left as it is.
std::string ForgetPreviousProject(std::string_view text);

// `text` with the record removed and CurrentProject as `previous` says; nullopt when the
// file is to go, there having been none.
std::optional<std::string> PutBackPreviousProject(std::string_view text,
                                                  const PreviousProject& previous);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_PREVIOUS_PROJECT_H_
