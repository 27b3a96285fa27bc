#include "store/project_loader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/text.h"
#include "repo/projects.h"
#include "store/export_file.h"
#include "store/module_entities.h"
#include "store/project_folder.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

// The longest names that the interface's name buffers hold (their size less the zero).
constexpr std::size_t kLongestApplicationName = 31;
constexpr std::size_t kLongestModuleName = 63;

constexpr std::string_view kSection = "Application";

std::string JoinRelative(std::string_view folder, std::string_view name) {
  return folder.empty() ? std::string(name) : std::string(folder) + "/" + std::string(name);
}

// "left out: damaged at byte offset N: <what>", the one warning of a damaged export file.
std::string DamageReason(const ExportFileDamage& damage) {
  return "left out: damaged at byte offset " + std::to_string(damage.offset) + ": " + damage.what;
}

// The names of a `;`-separated list, each trimmed of blanks and tabs, empty ones left out.
std::vector<std::string> SplitNameList(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const std::size_t semicolon = list.find(';');
    std::string_view name = TrimBlanksAndTabs(list.substr(0, semicolon));
    list.remove_prefix(semicolon == std::string_view::npos ? list.size() : semicolon + 1);
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

// An application before it takes its place in the project: an application folder, or an
// application export with the settings read from it. An export's modules are read when
// the application's turn comes, from a second reading of the file, so that only one
// file's bytes are held at a time.
struct ApplicationSource {
  std::string name;
  std::string path;      // its folder or its export file
  std::string relative;  // the same, relative to the repository folder
  bool export_file = false;
  LoadedApplication settings;
  std::vector<std::string> search_path;  // the names as written, untrimmed in an export
};

class ProjectLoader {
 public:
  ProjectLoader(Env& env, const std::string& folder, const std::string& relative_folder,
                SkipList* skipped)
      : env_(env), folder_(folder), relative_folder_(relative_folder), skipped_(skipped) {}

  LoadedProject Load(const std::string& name) {
    project_.name = name;
    const SettingsFile project_settings =
        ReadSettingsFile(env_, JoinPath(folder_, kProjectSettingsFile), skipped_);
    system_libraries_ = SplitNameList(project_settings.Get("Project", "SystemLibraries"));
    std::vector<ApplicationSource> sources = ListApplicationFolders();
    ReadApplicationExports(&sources);
    PutInOrder(&sources);
    LimitApplicationCount(&sources);
    for (ApplicationSource& source : sources) AddApplication(&source);
    for (std::size_t i = 0; i < sources.size(); ++i) {
      ResolveSearchPath(sources[i], &project_.applications[i]);
      AddModules(&sources[i], &project_.applications[i]);
    }
    return std::move(project_);
  }

 private:
  std::vector<ApplicationSource> ListApplicationFolders() {
    std::vector<std::string> names;
    if (std::error_code error =
            ListMarkedFolders(env_, folder_, kApplicationSettingsFile, &names)) {
      skipped_->Add(folder_, FailureReason("no applications: the folder cannot be listed", error));
    }
    std::vector<ApplicationSource> sources(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      sources[i].path = JoinPath(folder_, names[i]);
      sources[i].relative = JoinRelative(relative_folder_, names[i]);
      sources[i].name = std::move(names[i]);
    }
    return sources;
  }

  void ReadApplicationExports(std::vector<ApplicationSource>* sources) {
    std::vector<std::string> files;
    ListApplicationExportFiles(env_, folder_, &files);  // listed above when it can be
    for (const std::string& file : files) {
      ApplicationSource source;
      source.path = JoinPath(folder_, file);
      source.relative = JoinRelative(relative_folder_, file);
      source.export_file = true;
      ExportFile contents;
      if (!ReadApplicationExport(source.path, &contents)) continue;
      const bool named = contents.application_name && !IsBlank(*contents.application_name);
      source.name = named ? std::string(*contents.application_name) : ModuleName(file);
      ReadExportSettings(contents, &source);
      sources->push_back(std::move(source));
    }
  }

  // Reads the export at `path` into `contents`, whose views point into bytes_; false,
  // with a warning, when it cannot be read or is damaged.
  bool ReadApplicationExport(const std::string& path, ExportFile* contents) {
    if (std::error_code error = env_.ReadFile(path, &bytes_)) {
      skipped_->Add(path, FailureReason("left out: cannot be read", error));
      return false;
    }
    if (auto damage = ReadExportFile(bytes_, contents)) {
      skipped_->Add(path, DamageReason(*damage));
      return false;
    }
    return true;
  }

  void ReadExportSettings(const ExportFile& contents, ApplicationSource* source) {
    LoadedApplication& settings = source->settings;
    settings.library = contents.kind == ExportKind::kLibrary || contents.kind == ExportKind::kDll;
    settings.second_flag = contents.kind == ExportKind::kDll;
    // An application read from an export whose name is the System Library's (ignoring case)
    // is the System Library.
    settings.system_library =
        EqualsIgnoringCase(source->name, kSystemLibraryName) ||
        std::any_of(system_libraries_.begin(), system_libraries_.end(),
                    [&](const std::string& name) { return EqualsIgnoringCase(name, source->name); });
    source->search_path.assign(contents.search_path.begin(), contents.search_path.end());
  }

  // Application order is the ascending byte order of the names. Of applications with the
  // same name the first is kept: a folder before an export file, and export files in the
  // byte order of their file names.
  void PutInOrder(std::vector<ApplicationSource>* sources) {
    std::stable_sort(sources->begin(), sources->end(),
                     [](const ApplicationSource& a, const ApplicationSource& b) {
                       return a.name < b.name;
                     });
    auto same_name = [&](const ApplicationSource& kept, const ApplicationSource& later) {
      if (kept.name != later.name) return false;
      skipped_->Add(later.path, "left out: the application " + later.name +
                                    " is already read from " + kept.path);
      return true;
    };
    sources->erase(std::unique(sources->begin(), sources->end(), same_name), sources->end());
  }

  void LimitApplicationCount(std::vector<ApplicationSource>* sources) {
    constexpr std::size_t kMost = std::numeric_limits<AppHandle>::max();
    if (sources->size() <= kMost) return;
    for (std::size_t i = kMost; i < sources->size(); ++i) {
      skipped_->Add((*sources)[i].path, "left out: more than 65535 applications");
    }
    sources->resize(kMost);
  }

  void AddApplication(ApplicationSource* source) {
    LoadedApplication& application = project_.applications.emplace_back(source->settings);
    application.name = source->name;
    if (source->name.size() > kLongestApplicationName) {
      skipped_->Add(source->path, "name longer than 31 characters: shown cut");
    }
    if (!source->export_file) ReadSettings(source, &application);
  }

  void ReadSettings(ApplicationSource* source, LoadedApplication* application) {
    const std::string path = JoinPath(source->path, kApplicationSettingsFile);
    SettingsFile settings = ReadSettingsFile(env_, path, skipped_);
    ReadKind(settings.Get(kSection, "Kind", "program"), path, application);
    application->system_library = settings.GetYesNo(kSection, "SystemLibrary", false);
    application->icon_name = settings.Get(kSection, "Icon");
    source->search_path = SplitNameList(settings.Get(kSection, "SearchPath"));
  }

  void ReadKind(std::string_view kind, const std::string& path, LoadedApplication* application) {
    if (EqualsIgnoringCase(kind, "library")) {
      application->library = true;
    } else if (EqualsIgnoringCase(kind, "dll")) {
      application->library = application->second_flag = true;
    } else if (!EqualsIgnoringCase(kind, "program")) {
      skipped_->Add(path,
                    "Kind=" + std::string(kind) + " is not program, library or dll: program used");
    }
  }

  // Each name is trimmed and looked up ignoring case; empty names are left out, and so,
  // with a warning, are names of no application.
  void ResolveSearchPath(const ApplicationSource& source, LoadedApplication* application) {
    const std::string where = source.export_file
                                  ? source.path
                                  : JoinPath(source.path, kApplicationSettingsFile);
    for (const std::string& name : source.search_path) {
      std::string_view entry = TrimBlanksAndTabs(name);
      if (entry.empty()) continue;
      if (AppHandle handle = FindApplication(project_, entry)) {
        application->search_path.push_back(handle);
      } else {
        skipped_->Add(where,
                      "SearchPath entry " + std::string(entry) + " left out: no such application");
      }
    }
  }

  void AddModules(ApplicationSource* source, LoadedApplication* application) {
    application->first_module = static_cast<std::uint32_t>(project_.modules.size());
    if (source->export_file) {
      ReadExportModules(*source);
    } else {
      ReadModules(*source);
    }
    application->module_count =
        static_cast<std::uint32_t>(project_.modules.size()) - application->first_module;
  }

  // The modules of an application export. A file that has changed into a damaged one
  // since its settings were read gives no modules, with the warning.
  void ReadExportModules(const ApplicationSource& source) {
    ExportFile contents;
    if (!ReadApplicationExport(source.path, &contents)) return;
    for (const ExportModule& module : contents.modules) {
      if (IsBlank(module.name)) {
        skipped_->Add(source.path, "module without a name at byte offset " +
                                       std::to_string(module.offset) + " left out");
        continue;
      }
      text_.clear();
      AppendModuleText(module, &text_);
      WarnLongModuleName(source.path, "module " + std::string(module.name) + ": ", module.name);
      AddModule(source.relative, module.name, module.name, text_);
    }
  }

  void ReadModules(const ApplicationSource& source) {
    std::vector<std::string> files;
    if (std::error_code error = ListModuleFiles(env_, source.path, &files)) {
      skipped_->Add(source.path, FailureReason("no modules: the folder cannot be listed", error));
    }
    for (const std::string& file : files) {
      const std::string path = JoinPath(source.path, file);
      if (std::error_code error = env_.ReadFile(path, &bytes_)) {
        skipped_->Add(path, FailureReason("left out: cannot be read", error));
        continue;
      }
      std::string_view module_text = bytes_;
      std::string_view name_in_file;
      if (IsModuleExportFile(file)) {
        if (!ReadModuleExport(path, bytes_, &text_, &name_in_file)) continue;
        module_text = text_;
      } else if (std::memchr(bytes_.data(), '\0', bytes_.size()) != nullptr) {
        skipped_->Add(path, "holds zero bytes: each entity's text ends at its first zero byte");
      }
      WarnLongModuleName(path, "", ModuleName(file));
      AddModule(JoinRelative(source.relative, file), ModuleName(file), name_in_file, module_text);
    }
  }

  // The text of the one module of the module export `bytes` into `text`, its name record
  // into `name_in_file`; false when the file is damaged.
  bool ReadModuleExport(const std::string& path, std::string_view bytes, std::string* text,
                        std::string_view* name_in_file) {
    ExportFile contents;
    if (auto damage = ReadExportFile(bytes, &contents)) {
      skipped_->Add(path, DamageReason(*damage));
      return false;
    }
    text->clear();
    *name_in_file = {};
    if (contents.modules.empty()) {
      skipped_->Add(path, "holds no module: read as an empty module");
      return true;
    }
    if (contents.modules.size() > 1) {
      skipped_->Add(path, "holds more than one module: only the first is read, the one at byte "
                          "offset " + std::to_string(contents.modules.front().offset));
    }
    AppendModuleText(contents.modules.front(), text);
    *name_in_file = contents.modules.front().name;
    return true;
  }

  void AddModule(std::string relative, std::string_view name, std::string_view name_in_file,
                 std::string_view source) {
    const auto index = static_cast<std::uint32_t>(project_.modules.size());
    LoadedModule& module = project_.modules.emplace_back();
    module.name = name;
    module.file = std::move(relative);
    module.name_in_file = name_in_file;
    AddModuleEntities(source, index, &module, &project_.entities);
  }

  void WarnLongModuleName(const std::string& path, const std::string& which,
                          std::string_view name) {
    if (name.size() > kLongestModuleName) {
      skipped_->Add(path, which + "name longer than 63 characters: shown cut");
    }
  }

  Env& env_;
  const std::string& folder_;
  const std::string& relative_folder_;
  SkipList* skipped_;
  std::vector<std::string> system_libraries_;
  std::string bytes_;  // the file being read
  std::string text_;   // the text of the export module being read
  LoadedProject project_;
};

}  // namespace

LoadedProject LoadProject(Env& env, const std::string& project_folder,
                          const std::string& relative_folder, const std::string& name,
                          SkipList* skipped) {
  return ProjectLoader(env, project_folder, relative_folder, skipped).Load(name);
}

AppHandle FindApplication(const LoadedProject& project, std::string_view name) {
  for (std::size_t i = 0; i < project.applications.size(); ++i) {
    if (EqualsIgnoringCase(project.applications[i].name, name)) {
      return static_cast<AppHandle>(i + 1);
    }
  }
  return 0;
}

EntityHandle FindIconEntity(const LoadedProject& project, AppHandle application) {
  const LoadedApplication& app = project.applications.at(application - 1);
  if (app.icon_name.empty()) return 0;
  for (std::uint32_t m = app.first_module; m < app.first_module + app.module_count; ++m) {
    const LoadedModule& module = project.modules[m];
    for (std::uint32_t e = module.first_entity; e < module.first_entity + module.entity_count;
         ++e) {
      if (EqualsIgnoringCase(project.entities[e].display_name, app.icon_name)) return e + 1;
    }
  }
  return 0;
}

}  // namespace ivarscan
