#include "store/project_loader.h"

#include <algorithm>
#include <cstring>
#include <limits>

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
// application export with the settings read from it. An export's modules are read later,
// from a second reading of the file, so that a thread holds one file's bytes at a time.
struct ApplicationSource {
  std::string name;
  std::string path;      // its folder or its export file
  std::string relative;  // the same, relative to the repository folder
  bool export_file = false;
  LoadedApplication settings;
  std::vector<std::string> search_path;   // the names as written, untrimmed in an export
  std::vector<std::string> module_files;  // of a folder, as listed
  SkipList listing;                       // why a folder could not be listed
};

// A module cut into entities apart from the project, so that files can be read on several
// threads at once: its entities name module 0 and have no symbol yet.
struct StagedModule {
  LoadedModule module;
  std::vector<LoadedEntity> entities;
};

// What one piece of reading gives, a module file of a folder or all the modules of an
// application export: its modules, and what was left out, waiting for their place in the
// project's lists.
struct StagedPiece {
  std::vector<StagedModule> modules;
  SkipList skipped;
};

// One piece of reading: a module file of an application folder, or (with no file) an
// application export.
struct Piece {
  std::size_t application;
  const std::string* file;  // null for an application export
};

void WarnLongModuleName(const std::string& path, const std::string& which, std::string_view name,
                        SkipList* skipped) {
  if (name.size() > kLongestModuleName) {
    skipped->Add(path, which + "name longer than 63 characters: shown cut");
  }
}

// Cuts `text` into a module of the piece.
void StageModule(std::string relative, std::string_view name, std::string_view name_in_file,
                 std::string_view text, StagedPiece* piece) {
  StagedModule& staged = piece->modules.emplace_back();
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

// Reads the export at `path` into `contents`, whose views point into `bytes`; false, with
// a warning, when it cannot be read or is damaged.
bool ReadApplicationExport(Env& env, const std::string& path, std::string* bytes,
                           ExportFile* contents, SkipList* skipped) {
  if (!ReadWholeFile(env, path, bytes, skipped)) return false;
  if (auto damage = ReadExportFile(*bytes, contents)) {
    skipped->Add(path, DamageReason(*damage));
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

// The modules of an application export. A file that has changed into a damaged one
// since its settings were read gives no modules, with the warning.
StagedPiece StageExportModules(Env& env, const ApplicationSource& source) {
  StagedPiece piece;
  // One buffer per thread, reused from file to file: a buffer per file would leave a hole
  // in the heap after every file, each a little too small for the next module's texts.
  thread_local std::string bytes;
  thread_local std::string text;
  ExportFile contents;
  if (!ReadApplicationExport(env, source.path, &bytes, &contents, &piece.skipped)) return piece;
  for (const ExportModule& module : contents.modules) {
    if (IsBlank(module.name)) {
      piece.skipped.Add(source.path, "module without a name at byte offset " +
                                         std::to_string(module.offset) + " left out");
      continue;
    }
    text.clear();
    AppendModuleText(module, &text);
    WarnLongModuleName(source.path, "module " + std::string(module.name) + ": ", module.name,
                       &piece.skipped);
    StageModule(source.relative, module.name, module.name, text, &piece);
  }
  return piece;
}

// One module file (a `.prg` or a module export) of an application folder.
StagedPiece StageModuleFile(Env& env, const ApplicationSource& source, const std::string& file) {
  StagedPiece piece;
  thread_local std::string bytes;  // per thread, as in StageExportModules
  thread_local std::string text;
  const std::string path = JoinPath(source.path, file);
  if (!ReadWholeFile(env, path, &bytes, &piece.skipped)) return piece;
  std::string_view module_text = bytes;
  std::string_view name_in_file;
  if (IsModuleExportFile(file)) {
    if (!ReadModuleExport(path, bytes, &text, &name_in_file, &piece.skipped)) return piece;
    module_text = text;
  } else if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
    piece.skipped.Add(path, "holds zero bytes: each entity's text ends at its first zero byte");
  }
  WarnLongModuleName(path, "", ModuleName(file), &piece.skipped);
  StageModule(JoinRelative(source.relative, file), ModuleName(file), name_in_file, module_text,
              &piece);
  return piece;
}

class ProjectLoader {
 public:
  ProjectLoader(Env& env, const std::string& folder, const std::string& relative_folder,
                SkipList* skipped, unsigned threads)
      : env_(env),
        folder_(folder),
        relative_folder_(relative_folder),
        skipped_(skipped),
        threads_(threads) {}

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
    for (ApplicationSource& source : sources) ListModules(&source);
    std::vector<StagedPiece> staged = StagePieces(sources);
    std::size_t entities = 0;
    for (const StagedPiece& piece : staged) {
      for (const StagedModule& module : piece.modules) entities += module.entities.size();
    }
    project_.entities.reserve(entities);
    for (std::size_t i = 0; i < sources.size(); ++i) {
      ResolveSearchPath(sources[i], &project_.applications[i]);
      AddModules(sources[i], &staged, &project_.applications[i]);
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
      sources[i].name = FileNameToCp1252(names[i]);
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
      if (!ReadApplicationExport(env_, source.path, &bytes_, &contents, skipped_)) continue;
      const bool named = contents.application_name && !IsBlank(*contents.application_name);
      source.name = named ? std::string(*contents.application_name) : ModuleName(file);
      ReadExportSettings(contents, &source);
      sources->push_back(std::move(source));
    }
  }

  void ReadExportSettings(const ExportFile& contents, ApplicationSource* source) {
    LoadedApplication& settings = source->settings;
    settings.library = contents.kind == ExportKind::kLibrary || contents.kind == ExportKind::kDll;
    settings.second_flag = contents.kind == ExportKind::kDll;
    // An application read from an export whose name is the System Library's (ignoring case)
    // is the System Library.
    settings.system_library = EqualsIgnoringCase(source->name, kSystemLibraryName) ||
                              std::any_of(system_libraries_.begin(), system_libraries_.end(),
                                          [&](const std::string& name) {
                                            return EqualsIgnoringCase(name, source->name);
                                          });
    source->search_path.assign(contents.search_path.begin(), contents.search_path.end());
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
    const std::string where =
        source.export_file ? source.path : JoinPath(source.path, kApplicationSettingsFile);
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

  // Lists the module files of an application folder.
  void ListModules(ApplicationSource* source) {
    if (source->export_file) return;
    if (std::error_code error = ListModuleFiles(env_, source->path, &source->module_files)) {
      source->listing.Add(source->path,
                          FailureReason("no modules: the folder cannot be listed", error));
    }
  }

  // Reads every module file and application export, on up to threads_ threads; the
  // pieces are in the order of the applications and, within a folder, of its files.
  std::vector<StagedPiece> StagePieces(const std::vector<ApplicationSource>& sources) {
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < sources.size(); ++i) {
      if (sources[i].export_file) pieces.push_back({i, nullptr});
      for (const std::string& file : sources[i].module_files) pieces.push_back({i, &file});
    }
    std::vector<StagedPiece> staged(pieces.size());
    ParallelFor(pieces.size(), threads_, [&](std::size_t k) {
      const ApplicationSource& source = sources[pieces[k].application];
      staged[k] = pieces[k].file == nullptr ? StageExportModules(env_, source)
                                            : StageModuleFile(env_, source, *pieces[k].file);
    });
    return staged;
  }

  // Adds the application's staged pieces, which are the next ones of `staged`.
  void AddModules(const ApplicationSource& source, std::vector<StagedPiece>* staged,
                  LoadedApplication* application) {
    AddSkipped(source.listing);
    application->first_module = static_cast<std::uint32_t>(project_.modules.size());
    const std::size_t pieces = source.export_file ? 1 : source.module_files.size();
    for (std::size_t i = 0; i < pieces; ++i) AddPiece(&(*staged)[next_piece_++]);
    application->module_count =
        static_cast<std::uint32_t>(project_.modules.size()) - application->first_module;
  }

  // Makes the piece's modules part of the project: numbers them and their entities, and
  // interns the display names in the order of the project, whatever thread read them.
  void AddPiece(StagedPiece* piece) {
    AddSkipped(piece->skipped);
    for (StagedModule& staged : piece->modules) {
      const auto index = static_cast<std::uint32_t>(project_.modules.size());
      staged.module.first_entity = static_cast<std::uint32_t>(project_.entities.size());
      for (LoadedEntity& entity : staged.entities) {
        entity.module = index;
        entity.display_name_symbol = SysAtom(entity.display_name);
        project_.entities.push_back(std::move(entity));
      }
      project_.modules.push_back(std::move(staged.module));
    }
    *piece = StagedPiece();
  }

  void AddSkipped(const SkipList& skipped) {
    for (const SkippedFile& entry : skipped.entries()) skipped_->Add(entry.path, entry.reason);
  }

  Env& env_;
  const std::string& folder_;
  const std::string& relative_folder_;
  SkipList* skipped_;
  const unsigned threads_;
  std::vector<std::string> system_libraries_;
  std::string bytes_;           // the export file whose settings are being read
  std::size_t next_piece_ = 0;  // the first staged piece not yet added
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
