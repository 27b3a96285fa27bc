// Times one report run of the console program on a repository folder, together with the
// figures that bound it, all on the repository's current project:
//
//   read floor       reading every module file's bytes once: no run can be faster
//   repository load  the folder layer reading the project into memory, on --threads
//                    threads
//   scanner          GETVISIBLEIVARS alone, on one thread, over exactly the class sources
//                    a run scans: the classes of every application that a report
//                    collects, each application once (a run keeps each class list)
//   entity reading   what the repository model reads for those class sources: for every
//                    such application, GETMODULES and, for each module, GETENTITIES with
//                    the class filter (every entity read in full)
//   console run      `<program> --yes --repository DIR --project NAME --no-open
//                    --threads N`, from start to exit (the report written), in a scratch
//                    folder
//   peak memory      the console run's peak resident set (ru_maxrss of its wait4)
//
// Every time is taken both as elapsed time and as processor time (user and system) of the
// process that did the work: on a machine that other work keeps busy, the processor time
// varies much less.
//
// Every figure is taken --runs times; the medians are printed, with the console run
// against the read floor, the run's time outside the scanner and the load, and the peak
// memory against the size of the module source.
//
//   run_benchmark --repository DIR --program PATH [--runs N] [--threads N] [--report FILE]
//
// --threads (default: one per processor core) goes to the repository load and to the
// console program.
//
// --report keeps the last run's report in FILE, so that runs can be compared byte for byte.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/scanner.h"
#include "platform/env.h"
#include "platform/parallel.h"
#include "platform/text.h"
#include "repo/modules.h"
#include "repo/projects.h"
#include "repo/records.h"
#include "store/folder_repository.h"
#include "store/project_folder.h"
#include "store/project_loader.h"

namespace ivarscan {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Options {
  std::string repository;
  std::string program;
  std::string report;
  int runs = 5;
  unsigned threads = DefaultThreadCount();
};

// The class sources of one application, as GETAPPCLASSES scans them.
using SourceList = std::vector<std::string>;

// What a run scans: the class sources of every application it collects, each application
// once, and how often the reports use them.
struct ScanWork {
  std::map<AppHandle, SourceList> sources;
  std::size_t reports = 0;
  std::size_t uses = 0;          // class lists the reports use, an application once per use
  std::size_t used_classes = 0;  // the classes in them
  std::size_t classes = 0;       // the classes scanned, each application once
  std::size_t bytes = 0;         // and their bytes
  std::size_t entities = 0;      // entity records the model reads for them
  std::size_t entity_bytes = 0;  // and the bytes of those records' source texts
};

// A time taken twice: elapsed, and processor time (user and system) of the process that
// did the work. On a machine that other work keeps busy the processor time varies less.
struct Span {
  double elapsed = 0;
  double processor = 0;
};

// One run's figures.
struct Figures {
  Span floor;
  Span load;
  Span scanner;
  Span entities;
  Span run;
  double peak = 0;  // bytes
};

// What one console run took.
struct ConsoleFigures {
  bool ok = false;
  Span time;
  double peak = 0;
};

double ProcessorSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Measures the span from its construction to Stop().
class Stopwatch {
 public:
  Span Stop() const {
    return {std::chrono::duration<double>(Clock::now() - start_).count(),
            ProcessorSeconds() - processor_start_};
  }

 private:
  Clock::time_point start_ = Clock::now();
  double processor_start_ = ProcessorSeconds();
};

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

bool IsClassDeclaration(const EntityRecord& entity) {
  return entity.type == kClassEntityType && entity.block_type == kClassEntityBlockType;
}

SourceList ClassSources(RepositoryAccess& repo, AppHandle application) {
  SourceList sources;
  for (const ModuleRecord& module : GETMODULES(repo, application, true)) {
    for (EntityRecord& entity : GETENTITIES(repo, module.handle, IsClassDeclaration, true)) {
      if (!IsBlank(entity.source)) sources.push_back(std::move(entity.source));
    }
  }
  return sources;
}

// The applications whose classes the report of `application` collects, in the order it
// collects them: those it uses, the System Library unless listed or analysed, itself.
std::vector<AppHandle> CollectedApplications(RepositoryAccess& repo, AppHandle application) {
  std::vector<AppHandle> collected = GETUSEDAPPS(repo, application, true);
  AppHandle system_library = 0;
  repo.AppFind(kSystemLibraryName, &system_library);
  const bool listed =
      std::find(collected.begin(), collected.end(), system_library) != collected.end();
  if (system_library != 0 && !listed && application != system_library) {
    collected.push_back(system_library);
  }
  collected.push_back(application);
  return collected;
}

// Reads what a run of the current project scans; false when the repository or its current
// project cannot be opened.
bool ReadScanWork(const std::string& folder, ScanWork* work) {
  FolderRepository repo(Env::Default(), folder);
  if (repo.AdamInit(0, nullptr) != 0) return false;
  for (const ApplicationRecord& app : GETAPPS(repo, false, true)) {
    ++work->reports;
    for (AppHandle collected : CollectedApplications(repo, app.handle)) {
      auto [entry, added] = work->sources.try_emplace(collected);
      if (added) {
        entry->second = ClassSources(repo, collected);
        work->classes += entry->second.size();
        for (const std::string& source : entry->second) work->bytes += source.size();
      }
      ++work->uses;
      work->used_classes += entry->second.size();
    }
  }
  return repo.AdamExit() == 0 && work->reports > 0;
}

// Counts the entities, and the bytes of their texts, that the model reads for the run.
void CountEntities(const std::string& project_folder, const std::string& project, ScanWork* work) {
  SkipList skipped;
  const LoadedProject loaded =
      LoadProject(*Env::Default(), project_folder, project, project, &skipped);
  for (const auto& [handle, sources] : work->sources) {
    const LoadedApplication& application = loaded.applications[handle - 1];
    for (std::uint32_t m = 0; m < application.module_count; ++m) {
      const LoadedModule& module = loaded.modules[application.first_module + m];
      work->entities += module.entity_count;
      work->entity_bytes += module.texts.size() - module.entity_count;  // without the zeros
    }
  }
}

// Reads every module file and application export of the project once; returns the time, sets
// `bytes`.
Span ReadFloor(Env& env, const std::string& project_folder, std::size_t* bytes) {
  const Stopwatch stopwatch;
  *bytes = 0;
  std::vector<std::string> applications;
  ListMarkedFolders(env, project_folder, kApplicationSettingsFile, &applications);
  std::string contents;
  std::vector<std::string> exports;
  ListApplicationExportFiles(env, project_folder, &exports);
  for (const std::string& file : exports) {
    if (!env.ReadFile(JoinPath(project_folder, file), &contents)) *bytes += contents.size();
  }
  for (const std::string& application : applications) {
    const std::string folder = JoinPath(project_folder, application);
    std::vector<std::string> files;
    ListModuleFiles(env, folder, &files);
    for (const std::string& file : files) {
      if (!env.ReadFile(JoinPath(folder, file), &contents)) *bytes += contents.size();
    }
  }
  return stopwatch.Stop();
}

Span LoadTime(Env& env, const std::string& project_folder, const std::string& project,
              unsigned threads) {
  const Stopwatch stopwatch;
  SkipList skipped;
  const LoadedProject loaded =
      LoadProject(env, project_folder, project, project, &skipped, threads);
  const Span time = stopwatch.Stop();
  if (loaded.entities.empty()) std::fprintf(stderr, "warning: the project has no entities\n");
  return time;
}

Span ScannerTime(const ScanWork& work, std::size_t* ivars) {
  const Stopwatch stopwatch;
  std::size_t count = 0;
  for (const auto& [application, sources] : work.sources) {
    for (const std::string& source : sources) count += GETVISIBLEIVARS(source).size();
  }
  *ivars = count;
  return stopwatch.Stop();
}

// Times what the repository model reads for the run, the project already read; returns
// zero when the repository cannot be opened.
Span EntityReadTime(const std::string& folder, const ScanWork& work) {
  FolderRepository repo(Env::Default(), folder);
  AppHandle first = 0;
  if (repo.AdamInit(0, nullptr) != 0 || repo.AdamGetFirstApp(&first) != 0) return Span();
  const Stopwatch stopwatch;
  for (const auto& [application, sources] : work.sources) {
    for (const ModuleRecord& module : GETMODULES(repo, application, true)) {
      GETENTITIES(repo, module.handle, IsClassDeclaration, true);
    }
  }
  const Span time = stopwatch.Stop();
  repo.AdamExit();
  return time;
}

// Runs the console program in `work_folder` with its output discarded. `ok` is false when
// it cannot be started or does not exit with 0.
ConsoleFigures ConsoleRun(const Options& options, const std::string& project,
                          const std::string& work_folder) {
  ConsoleFigures figures;
  const std::vector<std::string> arguments = {fs::absolute(options.program).string(),
                                              "--yes",
                                              "--repository",
                                              fs::absolute(options.repository).string(),
                                              "--project",
                                              project,
                                              "--no-open",
                                              "--threads",
                                              std::to_string(options.threads)};
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const Clock::time_point start = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    if (::chdir(work_folder.c_str()) == 0) ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return figures;
  figures.time.elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  figures.time.processor = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  figures.peak = static_cast<double>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
  figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return figures;
}

// Copies the report that the console run left in `work_folder` (DUPIVars25.TXT or
// DUPIVars20.TXT) to `destination`.
void KeepReport(const fs::path& work_folder, const std::string& destination) {
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(work_folder, ignored)) {
    if (entry.path().filename().string().starts_with("DUPIVars")) {
      fs::copy_file(entry.path(), destination, fs::copy_options::overwrite_existing, ignored);
    }
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of one figure over the runs.
double MedianOf(const std::vector<Figures>& runs, double Figures::*field) {
  std::vector<double> values;
  for (const Figures& figures : runs) values.push_back(figures.*field);
  return Median(values);
}

// The medians of one time over the runs.
Span MedianOf(const std::vector<Figures>& runs, Span Figures::*field) {
  std::vector<double> elapsed;
  std::vector<double> processor;
  for (const Figures& figures : runs) {
    elapsed.push_back((figures.*field).elapsed);
    processor.push_back((figures.*field).processor);
  }
  return {Median(elapsed), Median(processor)};
}

void PrintSpan(const char* what, Span span) {
  std::printf("  %-34s %8.4f s %9.4f s\n", what, span.elapsed, span.processor);
}

void PrintSummary(const std::vector<Figures>& runs, double source_bytes, double scanned_bytes) {
  const Span scanner = MedianOf(runs, &Figures::scanner);
  const Span load = MedianOf(runs, &Figures::load);
  const Span entities = MedianOf(runs, &Figures::entities);
  const Span run = MedianOf(runs, &Figures::run);
  const Span outside = {run.elapsed - load.elapsed - scanner.elapsed,
                        run.processor - load.processor - scanner.processor};
  const Span floor = MedianOf(runs, &Figures::floor);
  const double peak = MedianOf(runs, &Figures::peak);
  std::printf("medians of %zu runs:                    elapsed   processor\n", runs.size());
  PrintSpan("read floor", floor);
  PrintSpan("repository load", load);
  PrintSpan("scanner", scanner);
  PrintSpan("entity reading", entities);
  PrintSpan("console run", run);
  PrintSpan("outside scanner and load", outside);
  PrintSpan("  of that not entity reading",
            {outside.elapsed - entities.elapsed, outside.processor - entities.processor});
  std::printf("  outside scanner and load / scanner   %8.2f   %9.2f\n",
              outside.elapsed / scanner.elapsed, outside.processor / scanner.processor);
  std::printf("  console run / read floor             %8.1f   %9.1f\n", run.elapsed / floor.elapsed,
              run.processor / floor.processor);
  std::printf("  scanner throughput %.0f MB/s (%.1f MB scanned on one thread)\n",
              scanned_bytes / 1e6 / scanner.processor, scanned_bytes / 1e6);
  std::printf("  peak memory %.1f MB, %.2f x the module source (%.1f MB)\n", peak / 1e6,
              peak / source_bytes, source_bytes / 1e6);
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--repository")
      options->repository = argv[i + 1];
    else if (option == "--program")
      options->program = argv[i + 1];
    else if (option == "--report")
      options->report = argv[i + 1];
    else if (option == "--runs")
      options->runs = std::max(1, std::atoi(argv[i + 1]));
    else if (option == "--threads")
      options->threads = static_cast<unsigned>(std::max(1, std::atoi(argv[i + 1])));
    else
      return false;
  }
  return argc % 2 == 1 && !options->repository.empty() && !options->program.empty();
}

// The name of the repository's current project; empty when there is none.
std::string CurrentProject(const std::string& folder) {
  FolderRepository repo(Env::Default(), folder);
  if (repo.AdamInit(0, nullptr) != 0) return std::string();
  return GETCURRENTPROJECT(repo);
}

// Runs the console program on request from a process of its own, forked while this
// process is still small: a child's peak resident set counts what it shares with its
// parent until it starts the program, and this process grows to hold every class source.
class Launcher {
 public:
  Launcher(const Options& options, const std::string& project, const fs::path& work_folder) {
    int requests[2];
    int results[2];
    if (::pipe(requests) != 0 || ::pipe(results) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(requests[1]);
      ::close(results[0]);
      Serve(options, project, work_folder.string(), requests[0], results[1]);
    }
    ::close(requests[0]);
    ::close(results[1]);
    requests_ = requests[1];
    results_ = results[0];
  }

  ~Launcher() {
    ::close(requests_);
    ::close(results_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }

  // One console run.
  ConsoleFigures Run() {
    ConsoleFigures figures;
    const char request = 'r';
    if (pid_ <= 0 || ::write(requests_, &request, 1) != 1 ||
        ::read(results_, &figures, sizeof figures) != sizeof figures) {
      return ConsoleFigures();
    }
    return figures;
  }

 private:
  [[noreturn]] static void Serve(const Options& options, const std::string& project,
                                 const std::string& work_folder, int requests, int results) {
    char request = 0;
    while (::read(requests, &request, 1) == 1) {
      const ConsoleFigures figures = ConsoleRun(options, project, work_folder);
      if (::write(results, &figures, sizeof figures) != sizeof figures) break;
    }
    ::_exit(0);
  }

  pid_t pid_ = -1;
  int requests_ = -1;
  int results_ = -1;
};

// Takes every figure of one run; false when the console run fails.
bool MeasureRun(Launcher& launcher, const Options& options, const std::string& project,
                const ScanWork& work, std::size_t* source_bytes, Figures* figures) {
  Env& env = *Env::Default();
  const std::string project_folder = JoinPath(options.repository, project);
  std::size_t ivars = 0;
  figures->floor = ReadFloor(env, project_folder, source_bytes);
  figures->load = LoadTime(env, project_folder, project, options.threads);
  figures->scanner = ScannerTime(work, &ivars);
  figures->entities = EntityReadTime(options.repository, work);
  const ConsoleFigures console = launcher.Run();
  if (!console.ok) return false;
  figures->run = console.time;
  figures->peak = console.peak;
  std::printf(
      "run: floor %.4f s, load %.4f s, scanner %.4f s (%zu ivars), entity reading %.4f s, "
      "console run %.4f s (processor %.4f s), peak %.1f MB\n",
      figures->floor.elapsed, figures->load.elapsed, figures->scanner.elapsed, ivars,
      figures->entities.elapsed, figures->run.elapsed, figures->run.processor, figures->peak / 1e6);
  std::fflush(stdout);
  return true;
}

int Run(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: run_benchmark --repository DIR --program PATH [--runs N] "
                 "[--threads N] [--report FILE]\n");
    return 2;
  }
  const std::string project = CurrentProject(options.repository);
  if (project.empty()) {
    std::fprintf(stderr, "no current project in %s\n", options.repository.c_str());
    return 1;
  }
  const fs::path work_folder =
      fs::temp_directory_path() / ("ivarscan-bench-" + std::to_string(::getpid()));
  fs::create_directories(work_folder);
  Launcher launcher(options, project, work_folder);
  ScanWork work;
  if (!ReadScanWork(options.repository, &work)) {
    std::fprintf(stderr, "cannot read project \"%s\" of %s\n", project.c_str(),
                 options.repository.c_str());
    return 1;
  }
  CountEntities(JoinPath(options.repository, project), project, &work);
  std::printf(
      "project \"%s\": %zu application reports use %zu class lists (%zu classes); a run "
      "collects %zu applications once each: %zu class sources (%.1f MB), %zu entity records "
      "(%.1f MB of source text); %u threads\n",
      project.c_str(), work.reports, work.uses, work.used_classes, work.sources.size(),
      work.classes, static_cast<double>(work.bytes) / 1e6, work.entities,
      static_cast<double>(work.entity_bytes) / 1e6, options.threads);
  std::vector<Figures> runs(options.runs);
  std::size_t source_bytes = 0;
  bool ok = true;
  for (Figures& figures : runs) {
    ok = ok && MeasureRun(launcher, options, project, work, &source_bytes, &figures);
  }
  if (ok && !options.report.empty()) KeepReport(work_folder, options.report);
  std::error_code ignored;
  fs::remove_all(work_folder, ignored);
  if (!ok) {
    std::fprintf(stderr, "the console run failed: %s\n", options.program.c_str());
    return 1;
  }
  PrintSummary(runs, static_cast<double>(source_bytes), static_cast<double>(work.bytes));
  return 0;
}

}  // namespace
}  // namespace ivarscan

int main(int argc, char** argv) { return ivarscan::Run(argc, argv); }
