#include "store/project_loader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/cp1252.h"
#include "platform/parallel.h"
#include "platform/symbol_table.h"
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

// The last name of a '/'-separated path.
std::string_view FileNameOf(std::string_view relative) {
  return relative.substr(relative.rfind('/') + 1);
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

// A module cut into entities apart from the project, so that files can be read on several
// threads at once: its entities name module 0 and have no symbol yet.
struct StagedModule {
  LoadedModule module;
  std::vector<LoadedEntity> entities;
};

// What an application export says of its application.
struct ExportedApplication {
  std::optional<std::string> name;  // its last name record
  ExportKind kind = ExportKind::kUnset;
  std::vector<std::string> search_path;  // the library list, untrimmed
};

// One file of the project, read and cut into modules on one of the threads: a module file
// (`.prg` or module export) of an application folder, or an application export. Its results
// wait here for their place in the project's lists.
struct StagedFile {
  enum class Kind { kModuleFile, kApplicationExport };
  Kind kind = Kind::kModuleFile;
  std::string path;
  std::string relative;  // the same, relative to the repository folder
  std::vector<StagedModule> modules;
  SkipList skipped;  // what was left out of it or changed, and why
  // An application export's own records; nullopt when the file cannot be read or is
  // damaged, which leaves the application out (the reason is in `unusable`).
  std::optional<ExportedApplication> application;
  SkipList unusable;
};

// An application before it takes its place in the project: an application folder, or an
// application export.
struct ApplicationSource {
  std::string name;
  std::string path;  // its folder or its export file
  // An application export's records, from which its settings come; an application folder
  // has none and reads its application.ini instead.
  std::optional<ExportedApplication> exported;
  std::vector<std::string> search_path;  // the names as written, untrimmed in an export
  std::vector<std::size_t> files;        // its staged files, in order
  SkipList listing;                      // why a folder could not be listed
};

void WarnLongModuleName(const std::string& path, const std::string& which, std::string_view name,
                        SkipList* skipped) {
  if (name.size() > kLongestModuleName) {
    skipped->Add(path, which + "name longer than 63 characters: shown cut");
  }
}

// Cuts `text` into a module of the file.
void StageModule(std::string relative, std::string_view name, std::string_view name_in_file,
                 std::string_view text, StagedFile* file) {
  StagedModule& staged = file->modules.emplace_back();
  staged.module.name = name;
  staged.module.file = std::move(relative);
  staged.module.name_in_file = name_in_file;
  AddModuleEntities(text, 0, &staged.module, &staged.entities);
  staged.entities.shrink_to_fit();  // every module's entities wait until all files are read
}

// Reads the whole file at `path` into `bytes`; false, with a warning, when it cannot.
bool ReadWholeFile(Env& env, const std::string& path, std::string* bytes, SkipList* skipped) {
  if (std::error_code error = env.ReadFile(path, bytes)) {
    skipped->Add(path, FailureReason("left out: cannot be read", error));
    return false;
  }
  return true;
}

// The text of the one module of the module export `bytes` into `text`, its name record
// into `name_in_file`; false when the file is damaged.
bool ReadModuleExport(const std::string& path, std::string_view bytes, std::string* text,
                      std::string_view* name_in_file, SkipList* skipped) {
  ExportFile contents;
  if (auto damage = ReadExportFile(bytes, &contents)) {
    skipped->Add(path, DamageReason(*damage));
    return false;
  }
  text->clear();
  *name_in_file = {};
  if (contents.modules.empty()) {
    skipped->Add(path, "holds no module: read as an empty module");
    return true;
  }
  if (contents.modules.size() > 1) {
    skipped->Add(path,
                 "holds more than one module: only the first is read, the one at byte "
                 "offset " +
                     std::to_string(contents.modules.front().offset));
  }
  AppendModuleText(contents.modules.front(), text);
  *name_in_file = contents.modules.front().name;
  return true;
}

// An application export: its application's records and all its modules, from one reading
// and one parse of the file.
void StageApplicationExport(Env& env, StagedFile* file) {
  // One buffer per thread, reused from file to file: a buffer per file would leave a hole
  // in the heap after every file, each a little too small for the next module's texts.
  thread_local std::string bytes;
  thread_local std::string text;
  ExportFile contents;
  if (!ReadWholeFile(env, file->path, &bytes, &file->unusable)) return;
  if (auto damage = ReadExportFile(bytes, &contents)) {
    file->unusable.Add(file->path, DamageReason(*damage));
    return;
  }
  file->application = ExportedApplication{
      contents.application_name ? std::optional<std::string>(*contents.application_name)
                                : std::nullopt,
      contents.kind,
      std::vector<std::string>(contents.search_path.begin(), contents.search_path.end())};
  for (const ExportModule& module : contents.modules) {
    if (IsBlank(module.name)) {
      file->skipped.Add(file->path, "module without a name at byte offset " +
                                        std::to_string(module.offset) + " left out");
      continue;
    }
    text.clear();
    AppendModuleText(module, &text);
    WarnLongModuleName(file->path, "module " + std::string(module.name) + ": ", module.name,
                       &file->skipped);
    StageModule(file->relative, module.name, module.name, text, file);
  }
}

// One module file (a `.prg` or a module export) of an application folder.
void StageModuleFile(Env& env, StagedFile* file) {
  thread_local std::string bytes;  // per thread, as in StageApplicationExport
  thread_local std::string text;
  if (!ReadWholeFile(env, file->path, &bytes, &file->skipped)) return;
  std::string_view module_text = bytes;
  std::string_view name_in_file;
  const std::string_view file_name = FileNameOf(file->relative);
  if (IsModuleExportFile(file_name)) {
    if (!ReadModuleExport(file->path, bytes, &text, &name_in_file, &file->skipped)) return;
    module_text = text;
  } else if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
    file->skipped.Add(file->path,
                      "holds zero bytes: each entity's text ends at its first zero byte");
  }
  const std::string module_name = ModuleName(file_name);
  WarnLongModuleName(file->path, "", module_name, &file->skipped);
  StageModule(file->relative, module_name, name_in_file, module_text, file);
}

void StageFile(Env& env, StagedFile* file) {
  switch (file->kind) {
    case StagedFile::Kind::kModuleFile:
      return StageModuleFile(env, file);
    case StagedFile::Kind::kApplicationExport:
      return StageApplicationExport(env, file);
  }
}

class ProjectLoader {
 public:
  ProjectLoader(Env& env, std::string folder, std::string relative_folder, SkipList* skipped,
                unsigned threads)
      : env_(env),
        folder_(std::move(folder)),
        relative_folder_(std::move(relative_folder)),
        skipped_(skipped),
        threads_(threads) {}

  LoadedProject Load(const std::string& name) {
    project_.name = name;
    const SettingsFile project_settings =
        ReadSettingsFile(env_, JoinPath(folder_, kProjectSettingsFile), skipped_);
    system_libraries_ = SplitNameList(project_settings.Get("Project", "SystemLibraries"));
    std::vector<ApplicationSource> sources = ListApplicationFolders();
    ListApplicationExports();
    StageFiles();
    AddApplicationExports(&sources);
    PutInOrder(&sources);
    LimitApplicationCount(&sources);
    for (ApplicationSource& source : sources) AddApplication(&source);
    std::size_t entities = 0;
    for (const StagedFile& file : files_) {
      for (const StagedModule& module : file.modules) entities += module.entities.size();
    }
    project_.entities.reserve(entities);
    for (std::size_t i = 0; i < sources.size(); ++i) {
      ResolveSearchPath(sources[i], &project_.applications[i]);
      AddModules(sources[i], &project_.applications[i]);
    }
    return std::move(project_);
  }

 private:
  // The application folders, each with its module files listed for staging.
  std::vector<ApplicationSource> ListApplicationFolders() {
    std::vector<std::string> names;
    if (std::error_code error =
            ListMarkedFolders(env_, folder_, kApplicationSettingsFile, &names)) {
      skipped_->Add(folder_, FailureReason("no applications: the folder cannot be listed", error));
    }
    std::vector<ApplicationSource> sources(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      ApplicationSource& source = sources[i];
      source.path = JoinPath(folder_, names[i]);
      const std::string relative = JoinRelative(relative_folder_, names[i]);
      std::vector<std::string> module_files;
      if (std::error_code error = ListModuleFiles(env_, source.path, &module_files)) {
        source.listing.Add(source.path,
                           FailureReason("no modules: the folder cannot be listed", error));
      }
      for (const std::string& file : module_files) {
        source.files.push_back(AddFile(StagedFile::Kind::kModuleFile, JoinPath(source.path, file),
                                       JoinRelative(relative, file)));
      }
      source.name = FileNameToCp1252(names[i]);
    }
    return sources;
  }

  void ListApplicationExports() {
    std::vector<std::string> files;
    ListApplicationExportFiles(env_, folder_, &files);  // listed above when it can be
    for (const std::string& file : files) {
      exports_.push_back(AddFile(StagedFile::Kind::kApplicationExport, JoinPath(folder_, file),
                                 JoinRelative(relative_folder_, file)));
    }
  }

  std::size_t AddFile(StagedFile::Kind kind, std::string path, std::string relative) {
    StagedFile& file = files_.emplace_back();
    file.kind = kind;
    file.path = std::move(path);
    file.relative = std::move(relative);
    return files_.size() - 1;
  }

  // Reads every file on up to threads_ threads; each writes only its own slot.
  void StageFiles() {
    ParallelFor(files_.size(), threads_, [&](std::size_t i) { StageFile(env_, &files_[i]); });
  }

  // The application exports that could be read, as sources in the order of their files.
  void AddApplicationExports(std::vector<ApplicationSource>* sources) {
    for (std::size_t index : exports_) {
      StagedFile& file = files_[index];
      AddSkipped(file.unusable);
      if (!file.application) continue;
      ApplicationSource& source = sources->emplace_back();
      const bool named = file.application->name && !IsBlank(*file.application->name);
      source.name = named ? *file.application->name : ModuleName(FileNameOf(file.relative));
      source.path = file.path;
      source.files = {index};
      source.exported = std::move(file.application);
    }
  }

  // Application order is the ascending byte order of the names. Of applications with the
  // same name the first is kept: a folder before an export file, and export files in the
  // byte order of their file names.
  void PutInOrder(std::vector<ApplicationSource>* sources) {
    std::stable_sort(
        sources->begin(), sources->end(),
        [](const ApplicationSource& a, const ApplicationSource& b) { return a.name < b.name; });
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
    LoadedApplication& application = project_.applications.emplace_back();
    application.name = source->name;
    if (source->name.size() > kLongestApplicationName) {
      skipped_->Add(source->path, "name longer than 31 characters: shown cut");
    }
    if (source->exported) {
      ReadExportSettings(*source, &application);
    } else {
      ReadSettings(source, &application);
    }
  }

  void ReadExportSettings(const ApplicationSource& source, LoadedApplication* application) {
    const ExportKind kind = source.exported->kind;
    application->library = kind == ExportKind::kLibrary || kind == ExportKind::kDll;
    application->second_flag = kind == ExportKind::kDll;
    // An application read from an export whose name is the System Library's (ignoring case)
    // is the System Library.
    application->system_library =
        EqualsIgnoringCase(source.name, kSystemLibraryName) ||
        std::any_of(system_libraries_.begin(), system_libraries_.end(),
                    [&](const std::string& name) { return EqualsIgnoringCase(name, source.name); });
  }

  void ReadSettings(ApplicationSource* source, LoadedApplication* application) {
    const std::string path = SettingsPath(*source);
    SettingsFile settings = ReadSettingsFile(env_, path, skipped_);
    ReadKind(settings.Get(kSection, "Kind", "program"), path, application);
    application->system_library = settings.GetYesNo(kSection, "SystemLibrary", false);
    application->icon_name = settings.Get(kSection, "Icon");
    source->search_path = SplitNameList(settings.Get(kSection, "SearchPath"));
  }

  // The file the application's settings come from: its export, or its application.ini.
  static std::string SettingsPath(const ApplicationSource& source) {
    return source.exported ? source.path : JoinPath(source.path, kApplicationSettingsFile);
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
    const std::vector<std::string>& names =
        source.exported ? source.exported->search_path : source.search_path;
    for (const std::string& name : names) {
      std::string_view entry = TrimBlanksAndTabs(name);
      if (entry.empty()) continue;
      if (AppHandle handle = FindApplication(project_, entry)) {
        application->search_path.push_back(handle);
      } else {
        skipped_->Add(SettingsPath(source),
                      "SearchPath entry " + std::string(entry) + " left out: no such application");
      }
    }
  }

  // Adds the application's staged files: their modules, numbered in the order of the
  // project, and what was left out of them.
  void AddModules(const ApplicationSource& source, LoadedApplication* application) {
    AddSkipped(source.listing);
    application->first_module = static_cast<std::uint32_t>(project_.modules.size());
    for (std::size_t index : source.files) AddFileModules(&files_[index]);
    application->module_count =
        static_cast<std::uint32_t>(project_.modules.size()) - application->first_module;
  }

  // Makes the file's modules part of the project: numbers them and their entities, and
  // interns the display names in the order of the project, whatever thread read them.
  void AddFileModules(StagedFile* file) {
    AddSkipped(file->skipped);
    for (StagedModule& staged : file->modules) {
      const auto index = static_cast<std::uint32_t>(project_.modules.size());
      staged.module.first_entity = static_cast<std::uint32_t>(project_.entities.size());
      for (LoadedEntity& entity : staged.entities) {
        entity.module = index;
        entity.display_name_symbol = SysAtom(entity.display_name);
        project_.entities.push_back(std::move(entity));
      }
      project_.modules.push_back(std::move(staged.module));
    }
    *file = StagedFile();
  }

  void AddSkipped(const SkipList& skipped) {
    for (const SkippedFile& entry : skipped.entries()) skipped_->Add(entry.path, entry.reason);
  }

  Env& env_;
  const std::string folder_;
  const std::string relative_folder_;
  SkipList* skipped_;
  const unsigned threads_;
  std::vector<std::string> system_libraries_;
  // Every file of the project that is read: the module files of the application folders in
  // their order, then the application exports in the byte order of their names.
  std::vector<StagedFile> files_;
  std::vector<std::size_t> exports_;  // the application exports among them
  LoadedProject project_;
};

}  // namespace

LoadedProject LoadProject(Env& env, const std::string& project_folder,
                          const std::string& relative_folder, const std::string& name,
                          SkipList* skipped, unsigned threads) {
  return ProjectLoader(env, project_folder, relative_folder, skipped, threads).Load(name);
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
