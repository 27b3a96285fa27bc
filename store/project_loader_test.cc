#include "store/project_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/symbol_table.h"
#include "platform/testing/fake_env.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

// Everything a loaded project holds, as one text, so that two loads compare in one check
// and a difference shows where it is.
std::string Describe(const LoadedProject& project, const SkipList& skipped) {
  std::string out = "project " + project.name + "\n";
  for (const LoadedApplication& app : project.applications) {
    out += "app " + app.name + " modules " + std::to_string(app.first_module) + "+" +
           std::to_string(app.module_count) + " path";
    for (AppHandle entry : app.search_path) out += " " + std::to_string(entry);
    out += "\n";
  }
  for (const LoadedModule& module : project.modules) {
    out += "module " + module.name + " file " + module.file + " in file " + module.name_in_file +
           " entities " + std::to_string(module.first_entity) + "+" +
           std::to_string(module.entity_count) + " texts " + module.texts + "\n";
  }
  for (const LoadedEntity& entity : project.entities) {
    out += "entity " + entity.display_name + " in " + std::to_string(entity.module) + " at " +
           std::to_string(entity.text_offset) + "+" + std::to_string(entity.text_size) + " line " +
           std::to_string(entity.first_line) + " symbol " +
           SysGetAtomName(entity.display_name_symbol) + "\n";
  }
  for (const SkippedFile& entry : skipped.entries()) {
    out += "skipped " + entry.path + ": " + entry.reason + "\n";
  }
  return out;
}

// A project of many small modules in several applications, with files that are left out
// or warned about in between, so that the order of everything shows.
class ProjectLoaderThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int a = 0; a < 5; ++a) {
      const std::string app = "Proj/App " + std::to_string(a);
      folder_.Write(app + "/application.ini",
                    "[Application]\r\nSearchPath=App " + std::to_string((a + 1) % 5) + "\r\n");
      for (int m = 0; m < 12; ++m) {
        const std::string n = std::to_string(a) + "_" + std::to_string(m);
        folder_.Write(app + "/Module " + n + ".prg",
                      "CLASS C" + n + " INHERIT Base\nEXPORT v" + n + "\n\nMETHOD Init() CLASS C" +
                          n + "\nRETURN SELF\nFUNCTION F" + n + "()\nRETURN " + n + "\n");
      }
    }
    folder_.Write("Proj/App 1/" + std::string(70, 'L') + ".prg", "FUNCTION Long()\n");
    folder_.Write("Proj/App 2/Zero.prg", std::string("FUNCTION Z()\nx\0y\n", 17));
    env_.FailReadFile(folder_.PathOf("Proj/App 3/Module 3_4.prg"),
                      std::make_error_code(std::errc::permission_denied));
    env_.FailListDirectory(folder_.PathOf("Proj/App 4"),
                           std::make_error_code(std::errc::permission_denied));
  }

  std::string Load(unsigned threads) {
    SkipList skipped;
    const LoadedProject project =
        LoadProject(env_, folder_.PathOf("Proj"), "Proj", "Proj", &skipped, threads);
    return Describe(project, skipped);
  }

  TestFolder folder_;
  FakeEnv env_{Env::Default()};
};

TEST_F(ProjectLoaderThreadsTest, AnyNumberOfThreadsLoadsTheSameProject) {
  const std::string one = Load(1);
  // The project is really there, warnings and all, before the loads are compared.
  EXPECT_NE(one.find("entity C3_9 in 48 "), std::string::npos) << one;
  EXPECT_NE(one.find("Module 3_4.prg: left out: cannot be read"), std::string::npos);
  EXPECT_NE(one.find("name longer than 63 characters"), std::string::npos);
  EXPECT_NE(one.find("Zero.prg: holds zero bytes"), std::string::npos);
  EXPECT_NE(one.find("App 4: no modules: the folder cannot be listed"), std::string::npos);
  for (unsigned threads : {2u, 3u, 8u, 64u}) {
    for (int repeat = 0; repeat < 3; ++repeat) {
      EXPECT_EQ(Load(threads), one) << threads << " threads";
    }
  }
}

TEST_F(ProjectLoaderThreadsTest, WarningsKeepTheOrderOfTheApplications) {
  const std::string loaded = Load(4);
  const std::size_t long_name = loaded.find("name longer than 63 characters");
  const std::size_t zero = loaded.find("holds zero bytes");
  const std::size_t unreadable = loaded.find("left out: cannot be read");
  const std::size_t unlisted = loaded.find("no modules: the folder cannot be listed");
  EXPECT_LT(long_name, zero);
  EXPECT_LT(zero, unreadable);
  EXPECT_LT(unreadable, unlisted);
}

}  // namespace
}  // namespace ivarscan
