// Measures how long the repository folder layer takes to read a project: the first call
// that needs the current project reads every module of it, and a walk over every entity's
// source text follows.
//
//   repository_load_benchmark                 generates ~50 MB in 3000 modules in a
//                                             temporary folder, measures, removes it
//   repository_load_benchmark --megabytes N --modules M
//   repository_load_benchmark --folder DIR    measures an existing repository folder
//                                             (for example one from generate_repository.py)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/env.h"
#include "store/folder_repository.h"

namespace ivarscan {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kModulesPerApplication = 100;
constexpr int kRuns = 3;

// Appends every piece to `out`. (Chains of std::string operator+ trip a false -Wrestrict
// warning of GCC 12 at -O3.)
template <typename... Pieces>
void Append(std::string* out, const Pieces&... pieces) {
  (out->append(pieces), ...);
}

// One module of roughly `bytes` bytes: classes with declarations, methods with code,
// comments that hide start lines, LF line ends (so that each is turned into CR LF).
std::string ModuleSource(std::size_t bytes, int module, std::mt19937* random) {
  static constexpr const char* kDeclarations[] = {"\tEXPORT v", "\tPROTECT v", "\tINSTANCE v"};
  std::string source;
  Append(&source, "// module ", std::to_string(module), "\n#include \"vo.vh\"\n");
  for (int cls = 0; source.size() < bytes; ++cls) {
    std::string name;
    Append(&name, "C", std::to_string(module), "_", std::to_string(cls));
    Append(&source, "CLASS ", name, " INHERIT DataWindow ; // a window\n    IMPLEMENTS IView\n");
    for (int i = 0; i < 12; ++i) {
      Append(&source, kDeclarations[i % 3], std::to_string((*random)() % 1000), " AS STRING\n");
    }
    Append(&source, "END CLASS\n/* METHOD Old() CLASS ", name, "\n   RETURN NIL */\n");
    for (int m = 0; m < 6; ++m) {
      Append(&source, "METHOD M", std::to_string(m), "(x, y) CLASS ", name, "\n");
      for (int s = 0; s < 8; ++s) {
        Append(&source, "  LOCAL n", std::to_string(s), " := x + \"/* not a comment\" // note\n");
      }
      Append(&source, "  RETURN SELF\n\n");
    }
  }
  return source;
}

void Write(const fs::path& path, const std::string& contents) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}

// Writes a repository with one project "Bench" of `modules` modules, `megabytes` in all.
void Generate(const fs::path& folder, int megabytes, int modules) {
  Write(folder / "repository.ini", "[Repository]\nCurrentProject=Bench\n");
  Write(folder / "Bench" / "project.ini", "[Project]\nDescription=Load benchmark\n");
  const std::size_t bytes = static_cast<std::size_t>(megabytes) * 1000000 / modules;
  std::mt19937 random(42);
  for (int m = 0; m < modules; ++m) {
    const fs::path application =
        folder / "Bench" / ("App" + std::to_string(m / kModulesPerApplication));
    if (m % kModulesPerApplication == 0) {
      Write(application / "application.ini", "[Application]\nKind=library\nSearchPath=App0\n");
    }
    Write(application / ("Module" + std::to_string(m) + ".prg"), ModuleSource(bytes, m, &random));
  }
}

struct Result {
  double load_seconds = 0;
  double walk_seconds = 0;
  std::size_t modules = 0;
  std::size_t entities = 0;
  std::size_t bytes = 0;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Opens the repository, times the first call (which reads the current project) and then a
// walk that fetches every entity's source text the way the program does.
bool Measure(const std::string& folder, Result* result) {
  FolderRepository repository(Env::Default(), folder);
  if (repository.AdamInit(0, nullptr) != 0) return false;
  Clock::time_point start = Clock::now();
  AppHandle app = 0;
  if (repository.AdamGetFirstApp(&app) != 0) return false;
  result->load_seconds = SecondsSince(start);

  start = Clock::now();
  std::vector<AppHandle> apps;
  for (Status s = 0; s == 0 && app != 0; s = repository.AdamGetNextApp(&app)) apps.push_back(app);
  for (AppHandle application : apps) {
    ModuleHandle module = 0;
    for (Status s = repository.AppGetFirstModule(application, &module); s == 0;
         s = repository.AppGetNextModule(&module)) {
      ++result->modules;
      EntityHandle entity = 0;
      for (Status e = repository.ModGetFirstEntity(module, &entity); e == 0;
           e = repository.ModGetNextEntity(&entity)) {
        RecHandle first = 0, second = 0;
        std::uint16_t first_number = 0, second_number = 0;
        repository.EntQueryData(entity, 7, &first, &first_number, &second, &second_number);
        const char* text = repository.RecGet(first, first_number);
        result->bytes += text ? std::strlen(text) : 0;
        ++result->entities;
      }
    }
  }
  result->walk_seconds = SecondsSince(start);
  return repository.AdamExit() == 0;
}

int Run(int argc, char** argv) {
  std::string folder;
  int megabytes = 50;
  int modules = 3000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--folder") folder = argv[i + 1];
    if (option == "--megabytes") megabytes = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--modules") modules = std::max(1, std::atoi(argv[i + 1]));
  }
  fs::path generated;
  if (folder.empty()) {
    generated =
        fs::temp_directory_path() / ("ivarscan-load-" + std::to_string(std::random_device()()));
    Generate(generated, megabytes, modules);
    folder = generated.string();
  }
  int status = 0;
  for (int run = 1; run <= kRuns; ++run) {
    Result result;
    if (!Measure(folder, &result)) {
      std::fprintf(stderr, "cannot open the repository or its current project: %s\n",
                   folder.c_str());
      status = 1;
      break;
    }
    std::printf("run %d: load %.3f s, walk %.3f s; %zu modules, %zu entities, %.1f MB of text\n",
                run, result.load_seconds, result.walk_seconds, result.modules, result.entities,
                static_cast<double>(result.bytes) / 1e6);
  }
  if (!generated.empty()) fs::remove_all(generated);
  return status;
}

}  // namespace
}  // namespace ivarscan

int main(int argc, char** argv) { return ivarscan::Run(argc, argv); }
