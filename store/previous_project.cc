#include "store/previous_project.h"

#include "platform/text.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

constexpr std::string_view kSection = kRepositorySection;
constexpr std::string_view kCurrentKey = kCurrentProjectKey;
constexpr std::string_view kRestoreKey = "RestoreProject";
constexpr std::string_view kMissingKey = "RestoreMissing";
constexpr std::string_view kMissingKeyValue = "Key";
constexpr std::string_view kMissingFileValue = "File";

}  // namespace

PreviousProject PreviousProjectOf(const std::optional<std::string>& text) {
  if (!text) return {PreviousProject::Form::kNoFile, ""};
  const SettingsFile settings = SettingsFile::Parse(*text);
  const std::optional<std::string_view> value = settings.Find(kSection, kCurrentKey);
  if (!value) return {PreviousProject::Form::kNoKey, ""};
  return {PreviousProject::Form::kValue, std::string(*value)};
}

std::string RecordPreviousProject(std::string_view text, const PreviousProject& previous) {
  std::string recorded = SetSettingsValue(text, kSection, kRestoreKey, previous.value);
  if (previous.form == PreviousProject::Form::kValue) return recorded;
  return SetSettingsValue(
      recorded, kSection, kMissingKey,
      previous.form == PreviousProject::Form::kNoKey ? kMissingKeyValue : kMissingFileValue);
}

std::optional<PreviousProject> RecordedPreviousProject(std::string_view text) {
  const SettingsFile settings = SettingsFile::Parse(text);
  const std::optional<std::string_view> value = settings.Find(kSection, kRestoreKey);
  if (!value) return std::nullopt;
  const std::string_view missing = settings.Get(kSection, kMissingKey);
  if (EqualsIgnoringCase(missing, kMissingFileValue))
    return PreviousProject{PreviousProject::Form::kNoFile, ""};
  if (EqualsIgnoringCase(missing, kMissingKeyValue))
    return PreviousProject{PreviousProject::Form::kNoKey, ""};
  return PreviousProject{PreviousProject::Form::kValue, std::string(*value)};
}

std::string ForgetPreviousProject(std::string_view text) {
  return RemoveSettingsKey(RemoveSettingsKey(text, kSection, kRestoreKey), kSection, kMissingKey);
}

std::optional<std::string> PutBackPreviousProject(std::string_view text,
                                                  const PreviousProject& previous) {
  switch (previous.form) {
    case PreviousProject::Form::kNoFile:
      return std::nullopt;
    case PreviousProject::Form::kNoKey:
      return RemoveSettingsKey(ForgetPreviousProject(text), kSection, kCurrentKey);
    case PreviousProject::Form::kValue:
      break;
  }
  return SetSettingsValue(ForgetPreviousProject(text), kSection, kCurrentKey, previous.value);
}

}  // namespace ivarscan
