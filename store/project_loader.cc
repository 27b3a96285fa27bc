#include "store/project_loader.h"

#include <cstring>
#include <limits>

#include "platform/text.h"
#include "store/module_entities.h"
#include "store/project_folder.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

// The longest names that the interface's name buffers hold (their size less the zero).
constexpr std::size_t kLongestApplicationName = 31;
constexpr std::size_t kLongestModuleName = 63;

constexpr std::string_view kSection = "Application";

class ProjectLoader {
 public:
  ProjectLoader(Env& env, const std::string& folder, SkipList* skipped)
      : env_(env), folder_(folder), skipped_(skipped) {}

  LoadedProject Load(const std::string& name) {
    project_.name = name;
    std::vector<std::string> names;
    if (std::error_code error =
            ListMarkedFolders(env_, folder_, kApplicationSettingsFile, &names)) {
      skipped_->Add(folder_, FailureReason("no applications: the folder cannot be listed", error));
    }
    LimitApplicationCount(&names);
    std::vector<std::string> search_paths;
    for (const std::string& application : names) {
      search_paths.push_back(ReadSettings(application));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      ResolveSearchPath(search_paths[i], &project_.applications[i]);
      ReadModules(i);
    }
    return std::move(project_);
  }

 private:
  void LimitApplicationCount(std::vector<std::string>* names) {
    constexpr std::size_t kMost = std::numeric_limits<AppHandle>::max();
    if (names->size() <= kMost) return;
    for (std::size_t i = kMost; i < names->size(); ++i) {
      skipped_->Add(ApplicationFolder((*names)[i]), "left out: more than 65535 applications");
    }
    names->resize(kMost);
  }

  std::string ApplicationFolder(const std::string& name) const { return JoinPath(folder_, name); }

  // Adds the application with its settings; returns its SearchPath setting, which can be
  // resolved only once every application is known.
  std::string ReadSettings(const std::string& name) {
    const std::string path = JoinPath(ApplicationFolder(name), kApplicationSettingsFile);
    LoadedApplication& application = project_.applications.emplace_back();
    application.name = name;
    if (name.size() > kLongestApplicationName) {
      skipped_->Add(ApplicationFolder(name), "name longer than 31 characters: shown cut");
    }
    SettingsFile settings = ReadSettingsFile(env_, path, skipped_);
    ReadKind(settings.Get(kSection, "Kind", "program"), path, &application);
    application.system_library = settings.GetYesNo(kSection, "SystemLibrary", false);
    application.icon_name = settings.Get(kSection, "Icon");
    return std::string(settings.Get(kSection, "SearchPath"));
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

  void ResolveSearchPath(std::string_view setting, LoadedApplication* application) {
    while (!setting.empty()) {
      const std::size_t semicolon = setting.find(';');
      std::string_view entry = TrimBlanksAndTabs(setting.substr(0, semicolon));
      setting.remove_prefix(semicolon == std::string_view::npos ? setting.size() : semicolon + 1);
      if (entry.empty()) continue;
      if (AppHandle handle = FindApplication(project_, entry)) {
        application->search_path.push_back(handle);
      } else {
        skipped_->Add(JoinPath(ApplicationFolder(application->name), kApplicationSettingsFile),
                      "SearchPath entry " + std::string(entry) + " left out: no such application");
      }
    }
  }

  void ReadModules(std::size_t index) {
    LoadedApplication& application = project_.applications[index];
    const std::string folder = ApplicationFolder(application.name);
    application.first_module = static_cast<std::uint32_t>(project_.modules.size());
    std::vector<std::string> files;
    if (std::error_code error = ListModuleFiles(env_, folder, &files)) {
      skipped_->Add(folder, FailureReason("no modules: the folder cannot be listed", error));
    }
    std::string source;
    for (const std::string& file : files) {
      const std::string path = JoinPath(folder, file);
      if (std::error_code error = env_.ReadFile(path, &source)) {
        skipped_->Add(path, FailureReason("left out: cannot be read", error));
        continue;
      }
      AddModule(path, project_.name + "/" + application.name + "/" + file, ModuleName(file),
                source);
    }
    application.module_count =
        static_cast<std::uint32_t>(project_.modules.size()) - application.first_module;
  }

  // `relative_path` is the file's path from the repository folder, with '/' separators.
  void AddModule(const std::string& path, std::string relative_path, std::string_view name,
                 std::string_view source) {
    if (name.size() > kLongestModuleName) {
      skipped_->Add(path, "name longer than 63 characters: shown cut");
    }
    if (std::memchr(source.data(), '\0', source.size()) != nullptr) {
      skipped_->Add(path, "holds zero bytes: each entity's text ends at its first zero byte");
    }
    const auto index = static_cast<std::uint32_t>(project_.modules.size());
    LoadedModule& module = project_.modules.emplace_back();
    module.name = name;
    module.file = std::move(relative_path);
    AddModuleEntities(source, index, &module, &project_.entities);
  }

  Env& env_;
  const std::string& folder_;
  SkipList* skipped_;
  LoadedProject project_;
};

}  // namespace

LoadedProject LoadProject(Env& env, const std::string& project_folder, const std::string& name,
                          SkipList* skipped) {
  return ProjectLoader(env, project_folder, skipped).Load(name);
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
