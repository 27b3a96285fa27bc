#include "store/folder_repository.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/testing/fake_env.h"
#include "platform/testing/golden.h"
#include "store/folder_status.h"
#include "store/testing/project_catalogue.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

class FolderRepositoryTest : public ::testing::Test {
 protected:
  void Open() { ASSERT_EQ(repository_.AdamInit(0, nullptr), kFolderOk); }

  std::vector<std::string> Projects() { return CatalogueProjects(repository_); }

  std::string Description(const char* project) {
    char buffer[256] = "unchanged";
    if (repository_.PrjQueryDescription(project, buffer, sizeof buffer, 0) != 0) return "failed";
    return buffer;
  }

  std::string CurrentProject() {
    char buffer[256];
    if (repository_.AdamQueryCurrentPrjName(buffer, sizeof buffer) != 0) return "none";
    return buffer;
  }

  std::vector<AppHandle> Applications() {
    std::vector<AppHandle> handles;
    AppHandle handle = 0;
    for (Status status = repository_.AdamGetFirstApp(&handle); status == 0 && handle != 0;
         status = repository_.AdamGetNextApp(&handle)) {
      handles.push_back(handle);
    }
    return handles;
  }

  std::string AppName(AppHandle handle) {
    char buffer[32];
    repository_.AppQueryName(handle, buffer, sizeof buffer);
    return buffer;
  }

  AppHandle Find(const char* name) {
    AppHandle handle = 0;
    repository_.AppFind(name, &handle);
    return handle;
  }

  std::vector<std::string> SearchPath(AppHandle application) {
    std::vector<std::string> names;
    AppHandle entry = 0;
    for (Status status = repository_.AppSPathGetFirst(application, &entry); status == 0;
         status = repository_.AppSPathGetNext(&entry)) {
      names.push_back(AppName(entry));
    }
    return names;
  }

  std::vector<ModuleHandle> Modules(AppHandle application) {
    std::vector<ModuleHandle> handles;
    ModuleHandle handle = 0;
    for (Status status = repository_.AppGetFirstModule(application, &handle); status == 0;
         status = repository_.AppGetNextModule(&handle)) {
      handles.push_back(handle);
    }
    return handles;
  }

  std::vector<std::string> ModuleNames(AppHandle application) {
    std::vector<std::string> names;
    for (ModuleHandle module : Modules(application)) {
      char buffer[64];
      repository_.ModQueryName(module, buffer, sizeof buffer);
      names.push_back(buffer);
    }
    return names;
  }

  std::vector<EntityHandle> Entities(ModuleHandle module) {
    std::vector<EntityHandle> handles;
    EntityHandle handle = 0;
    for (Status status = repository_.ModGetFirstEntity(module, &handle); status == 0;
         status = repository_.ModGetNextEntity(&handle)) {
      handles.push_back(handle);
    }
    return handles;
  }

  std::string DisplayName(EntityHandle entity) {
    Symbol symbol = 0;
    repository_.EntQueryDisplayName(entity, &symbol);
    return SysGetAtomName(symbol);
  }

  std::string Source(EntityHandle entity) {
    RecHandle first = 0, second = 0;
    std::uint16_t first_number = 0, second_number = 0;
    EXPECT_EQ(repository_.EntQueryData(entity, 7, &first, &first_number, &second, &second_number),
              kFolderOk);
    const char* text = repository_.RecGet(first, first_number);
    return text ? text : "(none)";
  }

  std::string Prototype(EntityHandle entity) {
    char buffer[1024] = "";
    repository_.EntQueryProt(entity, buffer, sizeof buffer);
    return buffer;
  }

  // The display names of every entity of the application, module by module.
  std::vector<std::string> EntityNames(AppHandle application) {
    std::vector<std::string> names;
    for (ModuleHandle module : Modules(application)) {
      for (EntityHandle entity : Entities(module)) names.push_back(DisplayName(entity));
    }
    return names;
  }

  bool Skipped(const std::string& relative, std::string_view reason_part) {
    return folder_.Warned(repository_.skipped(), relative, reason_part);
  }

  TestFolder folder_;
  FakeEnv env_{Env::Default()};
  FolderRepository repository_{&env_, folder_.path()};
};

TEST_F(FolderRepositoryTest, ProjectsAreSubFoldersWithProjectIniInByteOrder) {
  folder_.Write("alpha/project.ini", "[Project]\nDescription = The first \n");
  folder_.Write("Zed/project.ini", "");
  folder_.Write("Beta/project.ini", "[Project]\nDescription=\n");
  folder_.MakeFolder("NotAProject/App");
  folder_.Write("stray.ini", "");
  Open();
  EXPECT_EQ(Projects(), (std::vector<std::string>{"Beta", "Zed", "alpha"}));
  EXPECT_EQ(Description("alpha"), "The first");
  EXPECT_EQ(Description("ALPHA"), "The first");
  EXPECT_EQ(Description("Beta"), "");
  EXPECT_EQ(Description("Zed"), "");
  EXPECT_EQ(Description("NotAProject"), "failed");
  EXPECT_EQ(CurrentProject(), "none");  // no repository.ini
}

TEST_F(FolderRepositoryTest, EmptyRepositoryAndUnusableProjectNames) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=Gone\n");
  folder_.Write("Trailing blank /project.ini", "");
  Open();
  EXPECT_TRUE(Projects().empty());
  EXPECT_TRUE(Skipped("Trailing blank ", "left out"));
  EXPECT_EQ(CurrentProject(), "none");  // a folder without projects has none current
  AppHandle app = 9;
  EXPECT_EQ(repository_.AdamGetFirstApp(&app), kFolderNoCurrentProject);
  EXPECT_EQ(app, 0);
  EXPECT_EQ(repository_.PrjSelect("Trailing blank "), kFolderNotFound);
}

TEST_F(FolderRepositoryTest, CataloguesWalkIndependently) {
  folder_.Write("A/project.ini", "");
  folder_.Write("B/project.ini", "");
  Open();
  CatalogueHandle one = 0, two = 0;
  ASSERT_EQ(repository_.PrjCatCreateEnum(0, 0, &one), kFolderOk);
  ASSERT_EQ(repository_.PrjCatCreateEnum(0, 0, &two), kFolderOk);
  EXPECT_NE(one, two);
  char name[8];
  EXPECT_EQ(repository_.PrjGetFirst(one, name, sizeof name), kFolderOk);
  EXPECT_EQ(repository_.PrjGetFirst(two, name, sizeof name), kFolderOk);
  EXPECT_EQ(repository_.PrjGetNext(one, name, sizeof name), kFolderOk);
  EXPECT_STREQ(name, "B");
  EXPECT_EQ(repository_.PrjGetNext(one, name, sizeof name), kFolderEndOfList);
  EXPECT_EQ(repository_.PrjCatDestroyEnum(one), kFolderOk);
  EXPECT_EQ(repository_.PrjGetNext(one, name, sizeof name), kFolderNotFound);
  EXPECT_EQ(repository_.PrjGetNext(two, name, sizeof name), kFolderOk);
  EXPECT_STREQ(name, "B");
}

TEST_F(FolderRepositoryTest, PrjSelectIgnoresCaseAndRewritesOnlyTheCurrentProjectLine) {
  folder_.Write("Alpha/project.ini", "");
  folder_.Write("Beta/project.ini", "");
  const std::string original =
      "; written by hand\r\n[Repository]\r\nCurrentProject = alpha\r\nOwner=me\r\n[X]\r\nY=1\r\n";
  folder_.Write("repository.ini", original);
  Open();
  EXPECT_EQ(CurrentProject(), "Alpha");  // the folder's own spelling
  for (const char* bad : {"", "Gamma", "Alpha/..", "NotAProject"}) {
    EXPECT_EQ(repository_.PrjSelect(bad), kFolderNotFound) << bad;
  }
  EXPECT_EQ(folder_.Read("repository.ini"), original);
  EXPECT_EQ(repository_.PrjSelect("alpha"), kFolderOk);
  EXPECT_EQ(
      folder_.Read("repository.ini"),
      "; written by hand\r\n[Repository]\r\nCurrentProject = Alpha\r\nOwner=me\r\n[X]\r\nY=1\r\n");

  ASSERT_EQ(repository_.PrjSelect("BETA"), kFolderOk);
  EXPECT_EQ(CurrentProject(), "Beta");
  EXPECT_EQ(folder_.Read("repository.ini"),
            "; written by hand\r\n[Repository]\r\nRestoreProject=Alpha\r\nCurrentProject = Beta\r\n"
            "Owner=me\r\n[X]\r\nY=1\r\n");
  ASSERT_EQ(repository_.PrjSelect("Alpha"), kFolderOk);
  EXPECT_EQ(
      folder_.Read("repository.ini"),
      "; written by hand\r\n[Repository]\r\nCurrentProject = Alpha\r\nOwner=me\r\n[X]\r\nY=1\r\n");
  EXPECT_FALSE(folder_.Exists("repository.ini.new"));
}

// The sample repository's repository.ini, as it stands while a run that chose another
// project holds the repository (a golden file), and as it stands again after the run.
TEST_F(FolderRepositoryTest, RepositoryIniWhileARunHoldsTheSampleRepository) {
  std::string original;
  ASSERT_FALSE(env_.ReadFile(SourcePath("examples/sample-repository/repository.ini"), &original));
  folder_.Write("repository.ini", original);
  folder_.Write("Inventory/project.ini", "");
  folder_.Write("Sales/project.ini", "");
  Open();
  ASSERT_EQ(repository_.PrjSelect("Sales"), kFolderOk);
  EXPECT_TRUE(MatchesGolden("repository.ini", folder_.Read("repository.ini")));
  ASSERT_EQ(repository_.PrjSelect("Inventory"), kFolderOk);
  ASSERT_EQ(repository_.AdamExit(), kFolderOk);
  EXPECT_EQ(folder_.Read("repository.ini"), original);
}

TEST_F(FolderRepositoryTest, ApplicationsWithTheirSettings) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/Main/application.ini",
                "[Application]\nKind=program\nSearchPath= gui ;;\tUnknown\t; Base ;base;\n");
  folder_.Write("P/GUI/application.ini", "[application]\nkind=LIBRARY\nsearchpath=Base\n");
  folder_.Write("P/Base/application.ini", "[Application]\nKind=dll\nSystemLibrary=Yes\n");
  folder_.Write("P/Plain/application.ini", "");
  folder_.MakeFolder("P/NoSettings");
  folder_.Write("Other/project.ini", "");
  folder_.Write("Other/Elsewhere/application.ini", "");
  Open();

  const std::vector<AppHandle> handles = Applications();
  ASSERT_EQ(handles, (std::vector<AppHandle>{1, 2, 3, 4}));
  std::vector<std::string> names;
  for (AppHandle handle : handles) names.push_back(AppName(handle));
  EXPECT_EQ(names, (std::vector<std::string>{"Base", "GUI", "Main", "Plain"}));

  EXPECT_EQ(Find("main"), 3);
  EXPECT_EQ(Find("Elsewhere"), 0);
  EXPECT_EQ(Find(""), 0);

  struct Flags {
    bool library, second, system;
  };
  auto flags = [&](AppHandle handle) {
    Flags result{};
    repository_.AppQueryLib(handle, &result.library, &result.second);
    repository_.AppQuerySysLib(handle, &result.system);
    return std::tuple(result.library, result.second, result.system);
  };
  EXPECT_EQ(flags(Find("Base")), std::tuple(true, true, true));
  EXPECT_EQ(flags(Find("GUI")), std::tuple(true, false, false));
  EXPECT_EQ(flags(Find("Main")), std::tuple(false, false, false));
  EXPECT_EQ(flags(Find("Plain")), std::tuple(false, false, false));

  EXPECT_EQ(SearchPath(Find("Main")), (std::vector<std::string>{"GUI", "Base", "Base"}));
  EXPECT_EQ(SearchPath(Find("GUI")), (std::vector<std::string>{"Base"}));
  EXPECT_TRUE(SearchPath(Find("Plain")).empty());
  EXPECT_TRUE(Skipped("P/Main/application.ini", "Unknown"));
}

TEST_F(FolderRepositoryTest, ModulesAreThePrgFilesInByteOrder) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/b.prg", "");
  folder_.Write("P/App/Zeta.PRG", "");
  folder_.Write("P/App/Alpha.Prg", "");
  folder_.Write("P/App/notes.txt", "");
  folder_.Write("P/App/prg", "");
  folder_.MakeFolder("P/App/folder.prg");
  folder_.Write("P/Empty/application.ini", "");
  Open();
  EXPECT_EQ(ModuleNames(Find("App")), (std::vector<std::string>{"Alpha", "Zeta", "b"}));
  EXPECT_TRUE(Modules(Find("Empty")).empty());
  ModuleHandle module = 7;
  EXPECT_EQ(repository_.AppGetFirstModule(Find("Empty"), &module), kFolderEndOfList);
  EXPECT_EQ(module, 0u);
}

TEST_F(FolderRepositoryTest, EntitiesCarryTheirCodesNamesTextsAndPrototypes) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/Window.prg",
                "// module header\n"
                "PARTIAL CLASS OrderWindow INHERIT DataWindow IMPLEMENTS IView // main\n"
                "  EXPORT nOrder\n"
                "  PROTECT cName\n"
                "END CLASS\n"
                "METHOD Init() CLASS OrderWindow\n"
                "  RETURN SELF\n"
                "RESOURCE AppIcon ICON app.ico\n");
  Open();
  const std::vector<ModuleHandle> modules = Modules(Find("App"));
  ASSERT_EQ(modules.size(), 1u);
  const std::vector<EntityHandle> entities = Entities(modules[0]);
  ASSERT_EQ(entities.size(), 3u);

  auto codes = [&](EntityHandle entity) {
    std::int16_t type = 0, block_type = 0;
    bool appears = false;
    repository_.EntQueryType(entity, &type);
    repository_.EntQueryBlockType(entity, &block_type);
    repository_.EntQueryAppearance(entity, &appears);
    return std::tuple(type, block_type, appears);
  };
  EXPECT_EQ(codes(entities[0]), std::tuple(std::int16_t{3}, std::int16_t{23}, true));
  EXPECT_EQ(codes(entities[1]), std::tuple(std::int16_t{4}, std::int16_t{1}, true));
  EXPECT_EQ(codes(entities[2]), std::tuple(std::int16_t{1}, std::int16_t{14}, true));

  EXPECT_EQ(DisplayName(entities[0]), "OrderWindow");
  EXPECT_EQ(DisplayName(entities[1]), "Init");
  EXPECT_EQ(DisplayName(entities[2]), "AppIcon");
  Symbol name = 0;
  ASSERT_EQ(repository_.EntQueryName(entities[0], &name), kFolderOk);
  EXPECT_STREQ(SysGetAtomName(name), "OrderWindow");

  EXPECT_EQ(Source(entities[0]),
            "PARTIAL CLASS OrderWindow INHERIT DataWindow IMPLEMENTS IView // main\r\n"
            "  EXPORT nOrder\r\n  PROTECT cName\r\nEND CLASS\r\n");
  EXPECT_EQ(Source(entities[2]), "RESOURCE AppIcon ICON app.ico\r\n");
  EXPECT_EQ(Prototype(entities[0]), "CLASS OrderWindow INHERIT DataWindow");
  EXPECT_EQ(Prototype(entities[1]), "METHOD Init() CLASS OrderWindow");

  // The source text outlives the next query and RecGet of the entity.
  RecHandle first = 0, second = 0;
  std::uint16_t first_number = 0, second_number = 0;
  repository_.EntQueryData(entities[0], 7, &first, &first_number, &second, &second_number);
  const char* text = repository_.RecGet(first, first_number);
  EXPECT_EQ(repository_.RecGet(second, second_number), nullptr);
  RecHandle description = 1;
  std::uint16_t description_number = 1;
  EXPECT_EQ(repository_.EntQueryDescription(entities[0], &description, &description_number),
            kFolderOk);
  EXPECT_EQ(description_number, 0);
  repository_.EntQueryData(entities[0], 4, &first, &first_number, &second, &second_number);
  EXPECT_EQ(repository_.RecGet(second, second_number), nullptr);
  EXPECT_EQ(std::string(text).substr(0, 13), "PARTIAL CLASS");

  // Positions: the file from the repository folder, the line in the file as written.
  std::string file;
  std::string module_in_file = "unchanged";
  std::uint32_t line = 0;
  ASSERT_EQ(repository_.EntQuerySourcePosition(entities[1], &file, &module_in_file, &line),
            kFolderOk);
  EXPECT_EQ(file, "P/App/Window.prg");
  EXPECT_EQ(module_in_file, "");
  EXPECT_EQ(line, 6u);
  EXPECT_EQ(repository_.EntQuerySourcePosition(99, &file, &module_in_file, &line), kFolderNotFound);

  std::int16_t value = 5;
  EXPECT_EQ(repository_.EntQueryType(0, &value), kFolderNotFound);
  EXPECT_EQ(repository_.EntQueryType(99, &value), kFolderNotFound);
  EXPECT_EQ(value, 5);
}

TEST_F(FolderRepositoryTest, IconIsTheFirstEntityOfThatNameInModuleOrder) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "[Application]\nIcon=appicon\n");
  folder_.Write("P/App/b.prg", "RESOURCE AppIcon ICON second.ico\n");
  folder_.Write("P/App/a.prg", "FUNCTION Start\nRESOURCE APPICON ICON first.ico\n");
  folder_.Write("P/NoMatch/application.ini", "[Application]\nIcon=Missing\n");
  folder_.Write("P/NoMatch/a.prg", "RESOURCE Other ICON x.ico\n");
  folder_.Write("P/NoIcon/application.ini", "");
  folder_.Write("P/NoIcon/a.prg", "RESOURCE AppIcon ICON x.ico\n");
  Open();
  EntityHandle icon = 0;
  ASSERT_EQ(repository_.AppQueryIcon(Find("App"), &icon), kFolderOk);
  EXPECT_EQ(Source(icon), "RESOURCE APPICON ICON first.ico\r\n");
  EXPECT_NE(repository_.AppQueryIcon(Find("NoMatch"), &icon), kFolderOk);
  EXPECT_EQ(icon, 0u);
  EXPECT_NE(repository_.AppQueryIcon(Find("NoIcon"), &icon), kFolderOk);
  EXPECT_EQ(icon, 0u);
}

TEST_F(FolderRepositoryTest, BuffersAreNeverOverrunAndLongNamesAreCut) {
  const std::string long_app(40, 'A');
  const std::string long_module(70, 'm');
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=Project\n");
  folder_.Write("Project/project.ini", "[Project]\nDescription=" + std::string(300, 'd') + "\n");
  folder_.Write("Project/" + long_app + "/application.ini", "");
  folder_.Write("Project/" + long_app + "/" + long_module + ".prg",
                "CLASS " + std::string(2000, 'C') + "\n");
  Open();

  char buffer[300];
  auto filled = [&] { std::memset(buffer, '#', sizeof buffer); };
  auto untouched_from = [&](std::size_t from) {
    return std::all_of(buffer + from, buffer + sizeof buffer, [](char c) { return c == '#'; });
  };
  filled();
  ASSERT_EQ(repository_.AdamQueryCurrentPrjName(buffer, 4), kFolderOk);
  EXPECT_STREQ(buffer, "Pro");
  EXPECT_TRUE(untouched_from(4));
  filled();
  ASSERT_EQ(repository_.PrjQueryDescription("Project", buffer, 256, 0), kFolderOk);
  EXPECT_EQ(std::strlen(buffer), 255u);
  EXPECT_TRUE(untouched_from(256));

  const AppHandle app = Find(long_app.c_str());
  ASSERT_EQ(app, 1);
  filled();
  repository_.AppQueryName(app, buffer, 32);
  EXPECT_EQ(std::string(buffer), long_app.substr(0, 31));
  EXPECT_TRUE(untouched_from(32));
  filled();
  const std::vector<ModuleHandle> modules = Modules(app);
  ASSERT_EQ(modules.size(), 1u);
  repository_.ModQueryName(modules[0], buffer, 64);
  EXPECT_EQ(std::string(buffer), long_module.substr(0, 63));
  EXPECT_TRUE(untouched_from(64));

  char prototype[1030];
  std::memset(prototype, '#', sizeof prototype);
  repository_.EntQueryProt(Entities(modules[0])[0], prototype, 1024);
  EXPECT_EQ(std::strlen(prototype), 1023u);
  EXPECT_EQ(prototype[1024], '#');

  filled();
  EXPECT_EQ(repository_.AppQueryName(app, buffer, 0), kFolderBadArgument);
  EXPECT_EQ(repository_.AppQueryName(app, nullptr, 32), kFolderBadArgument);
  EXPECT_TRUE(untouched_from(0));
  EXPECT_TRUE(Skipped("Project/" + long_app, "shown cut"));
  EXPECT_TRUE(Skipped("Project/" + long_app + "/" + long_module + ".prg", "shown cut"));
}

TEST_F(FolderRepositoryTest, BadFilesAreLeftOutAndListed) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini",
                "[Application]\nKind: library\nKind=exe\nSystemLibrary=1\n\x01\xff\n");
  folder_.Write("P/App/1 binary.prg", std::string("FUNCTION A\n\0\xff\x01\nFUNCTION B\n", 26));
  folder_.Write("P/App/2 empty.prg", "");
  const std::string unreadable = folder_.Write("P/App/3 unreadable.prg", "FUNCTION C\n");
  const std::string vanished = folder_.Write("P/App/4 vanished.prg", "FUNCTION D\n");
  folder_.Write("P/App/5 fine.prg", "FUNCTION E\n");
  env_.FailReadFile(unreadable, std::make_error_code(std::errc::permission_denied));
  env_.FailReadFile(vanished, std::make_error_code(std::errc::no_such_file_or_directory));
  Open();

  const AppHandle app = Find("App");
  EXPECT_EQ(ModuleNames(app), (std::vector<std::string>{"1 binary", "2 empty", "5 fine"}));
  EXPECT_EQ(EntityNames(app), (std::vector<std::string>{"A", "B", "E"}));
  const EntityHandle binary = Entities(Modules(app)[0])[0];
  EXPECT_EQ(Source(binary), "FUNCTION A\r\n");  // the rest is behind the zero byte

  bool library = true, second = true, system = false;
  repository_.AppQueryLib(app, &library, &second);
  repository_.AppQuerySysLib(app, &system);
  EXPECT_FALSE(library);
  EXPECT_FALSE(second);
  EXPECT_TRUE(system);

  EXPECT_TRUE(Skipped("P/App/3 unreadable.prg", "cannot be read"));
  EXPECT_TRUE(Skipped("P/App/4 vanished.prg", "cannot be read"));
  EXPECT_TRUE(Skipped("P/App/1 binary.prg", "zero bytes"));
  EXPECT_TRUE(Skipped("P/App/application.ini", "line 2 ignored"));
  EXPECT_TRUE(Skipped("P/App/application.ini", "line 5 ignored"));
  EXPECT_TRUE(Skipped("P/App/application.ini", "Kind=exe"));
}

TEST_F(FolderRepositoryTest, UnreadableSettingsGiveDefaultsAndAreListed) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  const std::string project_ini = folder_.Write("P/project.ini", "[Project]\nDescription=x\n");
  const std::string application_ini =
      folder_.Write("P/App/application.ini", "[Application]\nKind=dll\n");
  env_.FailReadFile(project_ini, std::make_error_code(std::errc::io_error));
  env_.FailReadFile(application_ini, std::make_error_code(std::errc::io_error));
  Open();
  EXPECT_EQ(Description("P"), "");
  bool library = true, second = true;
  repository_.AppQueryLib(Find("App"), &library, &second);
  EXPECT_FALSE(library);
  EXPECT_TRUE(Skipped("P/project.ini", "cannot be read"));
  EXPECT_TRUE(Skipped("P/App/application.ini", "cannot be read"));
}

TEST_F(FolderRepositoryTest, ReadsTheCurrentProjectOnceWhenFirstNeeded) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/a.prg", "CLASS A\n");
  folder_.Write("P/App/b.prg", "CLASS B\n");
  folder_.Write("Q/project.ini", "");
  folder_.Write("Q/Other/application.ini", "");
  Open();
  EXPECT_EQ(EntityNames(Find("App")), (std::vector<std::string>{"A", "B"}));
  const int reads = env_.read_count();
  EXPECT_EQ(EntityNames(Find("App")), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(env_.read_count(), reads);

  ASSERT_EQ(repository_.PrjSelect("Q"), kFolderOk);
  EXPECT_EQ(Find("App"), 0);
  EXPECT_EQ(Find("Other"), 1);
  // The old project's handles name nothing in the new one.
  EXPECT_EQ(repository_.RecGet(2, 1), nullptr);
  Symbol symbol = 0;
  EXPECT_EQ(repository_.EntQueryDisplayName(2, &symbol), kFolderNotFound);
}

// The project read is kept across queries, but neither across closing the repository nor
// across another project's reading: files changed meanwhile are then read afresh.
TEST_F(FolderRepositoryTest, ReadsTheProjectAgainAfterReopeningOrAnotherProject) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=P\n");
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/a.prg", "CLASS A\n");
  folder_.Write("Q/project.ini", "");
  folder_.Write("Q/Other/application.ini", "");
  Open();
  EXPECT_EQ(EntityNames(Find("App")), std::vector<std::string>{"A"});
  folder_.Write("P/App/a.prg", "CLASS Changed\n");
  EXPECT_EQ(EntityNames(Find("App")), std::vector<std::string>{"A"});

  ASSERT_EQ(repository_.AdamExit(), kFolderOk);
  AppHandle app = 0;
  EXPECT_EQ(repository_.AdamGetFirstApp(&app), kFolderNotOpen);
  Open();
  EXPECT_EQ(EntityNames(Find("App")), std::vector<std::string>{"Changed"});

  folder_.Write("P/App/a.prg", "CLASS Again\n");
  ASSERT_EQ(repository_.PrjSelect("Q"), kFolderOk);
  EXPECT_EQ(Find("Other"), 1);
  ASSERT_EQ(repository_.PrjSelect("p"), kFolderOk);
  EXPECT_EQ(EntityNames(Find("App")), std::vector<std::string>{"Again"});
}

TEST_F(FolderRepositoryTest, CallsOutsideAnOpenRepositoryFail) {
  folder_.Write("P/project.ini", "");
  char buffer[16];
  CatalogueHandle catalogue = 0;
  AppHandle app = 0;
  EXPECT_EQ(repository_.PrjCatCreateEnum(0, 0, &catalogue), kFolderNotOpen);
  EXPECT_EQ(repository_.PrjSelect("P"), kFolderNotOpen);
  EXPECT_EQ(repository_.AdamQueryCurrentPrjName(buffer, sizeof buffer), kFolderNotOpen);
  EXPECT_EQ(repository_.AdamGetFirstApp(&app), kFolderNotOpen);
  EXPECT_EQ(repository_.AdamExit(), kFolderNotOpen);
  Open();
  EXPECT_EQ(repository_.AdamGetFirstApp(&app), kFolderNoCurrentProject);
  EXPECT_EQ(repository_.AdamExit(), kFolderOk);
  EXPECT_EQ(repository_.PrjSelect("P"), kFolderNotOpen);

  FolderRepository missing(&env_, folder_.PathOf("no such folder"));
  EXPECT_EQ(missing.AdamInit(0, nullptr), kFolderUnavailable);
  EXPECT_FALSE(folder_.Exists("no such folder"));
}

}  // namespace
}  // namespace ivarscan
