#include "repo/projects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

using Names = std::vector<std::string>;
using Handles = std::vector<AppHandle>;

// ---- Projects.

Names ProjectNames(const std::vector<ProjectRecord>& projects) {
  Names names;
  for (const ProjectRecord& project : projects) names.push_back(project.name);
  return names;
}

TEST(ProjectsTest, ListsProjectsInCatalogueOrderWithDescriptions) {
  FakeRepository repo;
  repo.AddProject("Shop", "Orders and invoices");
  repo.AddProject("Admin");
  repo.AddProject("Blank", " \t\r\n");
  std::vector<ProjectRecord> projects = GETPROJECTS(repo);
  ASSERT_EQ(projects.size(), 3u);
  EXPECT_EQ(projects[0].name, "Shop");
  EXPECT_EQ(projects[0].description, "Orders and invoices");
  EXPECT_EQ(projects[1].description, "");
  EXPECT_EQ(projects[2].description, "");
  EXPECT_EQ(repo.LastBufferSize("PrjGetFirst"), 256u);
  EXPECT_EQ(repo.LastBufferSize("PrjGetNext"), 256u);
  EXPECT_EQ(repo.LastBufferSize("PrjQueryDescription"), 256u);
  EXPECT_EQ(repo.open_catalogues(), 0);
}

TEST(ProjectsTest, FailingDescriptionQueryGivesEmptyDescription) {
  FakeRepository repo;
  repo.AddProject("Shop", "Orders");
  repo.AddProject("Admin", "Users");
  repo.FailCall("PrjQueryDescription", 2);
  std::vector<ProjectRecord> projects = GETPROJECTS(repo);
  ASSERT_EQ(projects.size(), 2u);
  EXPECT_EQ(projects[0].description, "Orders");
  EXPECT_EQ(projects[1].description, "");
}

TEST(ProjectsTest, EmptyCatalogueGivesNoProjectsAndIsReleased) {
  FakeRepository repo;
  EXPECT_TRUE(GETPROJECTS(repo).empty());
  EXPECT_EQ(repo.CallCount("PrjGetFirst"), 1);
  EXPECT_EQ(repo.CallCount("PrjCatDestroyEnum"), 1);
  EXPECT_EQ(repo.open_catalogues(), 0);
}

TEST(ProjectsTest, FailingCatalogueGivesNoProjectsAndNothingToRelease) {
  FakeRepository repo;
  repo.AddProject("Shop");
  repo.FailCall("PrjCatCreateEnum", 1);
  EXPECT_TRUE(GETPROJECTS(repo).empty());
  EXPECT_EQ(repo.CallCount("PrjGetFirst"), 0);
  EXPECT_EQ(repo.CallCount("PrjCatDestroyEnum"), 0);
}

TEST(ProjectsTest, BlankNameOrFailingNextEndsTheList) {
  FakeRepository repo;
  repo.AddProject("Shop");
  repo.AddProject(" \t");
  repo.AddProject("Admin");
  EXPECT_EQ(ProjectNames(GETPROJECTS(repo)), Names{"Shop"});
  EXPECT_EQ(repo.CallCount("PrjQueryDescription"), 1);

  repo.FailCall("PrjGetNext", 3);  // the second list's first next call
  EXPECT_EQ(ProjectNames(GETPROJECTS(repo)), Names{"Shop"});
  EXPECT_EQ(repo.open_catalogues(), 0);
}

TEST(ProjectsTest, ProjectNamesAreCutTo255Characters) {
  FakeRepository repo;
  repo.AddProject(std::string(300, 'p'));
  repo.SetCurrentProject(std::string(300, 'p'));
  EXPECT_EQ(ProjectNames(GETPROJECTS(repo)), Names{std::string(255, 'p')});
  EXPECT_EQ(GETCURRENTPROJECT(repo), std::string(255, 'p'));

  repo.SetFillsBuffersWithoutZero(true);
  EXPECT_EQ(GETCURRENTPROJECT(repo), std::string(256, 'p'));
  EXPECT_EQ(ProjectNames(GETPROJECTS(repo)), Names{std::string(256, 'p')});
}

TEST(ProjectsTest, CurrentProjectIsEmptyWhenTheQueryFails) {
  FakeRepository repo;
  repo.AddProject("Shop");
  EXPECT_EQ(GETCURRENTPROJECT(repo), "");
  repo.SetCurrentProject("Shop");
  EXPECT_EQ(GETCURRENTPROJECT(repo), "Shop");
  EXPECT_EQ(repo.LastBufferSize("AdamQueryCurrentPrjName"), 256u);
}

// ---- Applications.

class ApplicationsTest : public ::testing::Test {
 protected:
  ApplicationsTest() {
    repo_.AddProject("Shop");
    repo_.SetCurrentProject("Shop");
  }

  AppHandle Add(const std::string& name, bool system_library = false) {
    return repo_.AddApplication("Shop", {.name = name, .system_library = system_library});
  }

  Names AppNames(bool include, bool sort) {
    Names names;
    for (const ApplicationRecord& record : GETAPPS(repo_, include, sort)) {
      names.push_back(record.name);
    }
    return names;
  }

  FakeRepository repo_;
};

TEST_F(ApplicationsTest, ListsApplicationsWithOrWithoutSystemLibraries) {
  Add("Orders");
  Add("System Library", true);
  Add("base");
  EXPECT_EQ(AppNames(false, false), (Names{"Orders", "base"}));
  EXPECT_EQ(AppNames(true, false), (Names{"Orders", "System Library", "base"}));
  EXPECT_EQ(AppNames(false, true), (Names{"base", "Orders"}));
  EXPECT_EQ(AppNames(true, true), (Names{"base", "Orders", "System Library"}));
}

TEST_F(ApplicationsTest, NamesDifferingInCaseAreEqualInNameOrder) {
  Add("Zeta");
  Add("orders");
  Add("ORDERS");
  Add("Orders");
  EXPECT_EQ(AppNames(false, true), (Names{"Orders", "ORDERS", "orders", "Zeta"}));
}

TEST_F(ApplicationsTest, DroppedSystemLibraryIsStillReadInFull) {
  AppHandle library = Add("System Library", true);
  EXPECT_TRUE(GETAPPS(repo_, false, false).empty());
  for (const char* query : {"AppQueryName", "AppQueryLib", "AppQueryIcon"}) {
    EXPECT_EQ(repo_.CallCount(query), 1) << query;
  }

  repo_.ClearCallLog();
  std::vector<ApplicationRecord> all = GETAPPS(repo_, true, false);
  EXPECT_EQ(std::count(repo_.calls().begin(), repo_.calls().end(), "AppQuerySysLib"), 2);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].handle, library);
  EXPECT_TRUE(all[0].system_library);
}

TEST_F(ApplicationsTest, ApplicationListEndsAtZeroHandles) {
  Add("One");
  Add("Two");
  Add("Three");
  repo_.ZeroHandleAt("AdamGetFirstApp", 1);
  repo_.ZeroHandleAt("AdamGetNextApp", 2);
  EXPECT_EQ(AppNames(false, false), Names{});
  EXPECT_EQ(AppNames(false, false), (Names{"One", "Two"}));
}

TEST_F(ApplicationsTest, ApplicationListEndsAtFailures) {
  Add("One");
  Add("Two");
  repo_.FailCall("AdamGetFirstApp", 1);
  repo_.FailCall("AdamGetNextApp", 1);
  EXPECT_EQ(AppNames(false, false), Names{});
  EXPECT_EQ(AppNames(false, false), Names{"One"});
}

TEST_F(ApplicationsTest, ApplicationNameIsReadThroughA32ByteBuffer) {
  AppHandle app = Add(std::string(40, 'a'));
  EXPECT_EQ(APPNAME(repo_, app), std::string(31, 'a'));
  EXPECT_EQ(repo_.LastBufferSize("AppQueryName"), 32u);
  repo_.SetFillsBuffersWithoutZero(true);
  EXPECT_EQ(APPNAME(repo_, app), std::string(32, 'a'));
  repo_.FailCall("AppQueryName", 0);
  EXPECT_EQ(APPNAME(repo_, app), "");
}

TEST_F(ApplicationsTest, KindFollowsTheTwoLibraryFlags) {
  struct Case {
    bool library;
    bool second;
    std::uint16_t kind;
  };
  for (Case c : {Case{false, false, kProgramKind}, Case{false, true, kProgramKind},
                 Case{true, false, kLibraryKind}, Case{true, true, kDllKind}}) {
    AppHandle app = repo_.AddApplication(
        "Shop", {.name = "X", .library = c.library, .second_library_flag = c.second});
    EXPECT_EQ(APPTYPE(repo_, app), c.kind) << c.library << c.second;
    EXPECT_EQ(GETAPPBASIC(repo_, app).kind, c.kind);
  }
  AppHandle dll =
      repo_.AddApplication("Shop", {.name = "Dll", .library = true, .second_library_flag = true});
  repo_.FailCall("AppQueryLib", 0);
  EXPECT_EQ(APPTYPE(repo_, dll), kProgramKind);
}

TEST_F(ApplicationsTest, FailingSystemLibraryQueryReadsAsFalse) {
  AppHandle library = Add("System Library", true);
  EXPECT_TRUE(ISSYSTEMLIB(repo_, library));
  repo_.FailCall("AppQuerySysLib", 0);
  EXPECT_FALSE(ISSYSTEMLIB(repo_, library));
  EXPECT_FALSE(GETAPPBASIC(repo_, library).system_library);
  EXPECT_EQ(AppNames(false, false), Names{"System Library"});
}

// ---- Icons.

class IconTest : public ApplicationsTest {
 protected:
  IconTest()
      : icon_file_((std::filesystem::temp_directory_path() /
                    ("ivarscan_icon_test_" + std::to_string(std::random_device{}()) + ".ico"))
                       .string()) {
    std::ofstream(icon_file_) << "icon";
    app_ = Add("Orders");
    module_ = repo_.AddModule(app_, "Resources");
  }
  ~IconTest() override { std::filesystem::remove(icon_file_); }

  // The application's icon when its icon entity has `source` as its source text.
  std::shared_ptr<Icon> IconFor(const std::string& source, std::int16_t type = 1) {
    EntityHandle entity =
        repo_.AddEntity(module_, {.display_name = "AppIcon", .type = type, .source = source});
    repo_.SetIconEntity(app_, entity);
    return APPICON(repo_, app_);
  }

  std::string icon_file_;
  AppHandle app_ = 0;
  ModuleHandle module_ = 0;
};

TEST_F(IconTest, IconWordNamesTheIconFile) {
  std::shared_ptr<Icon> icon = IconFor("RESOURCE AppIcon ICON " + icon_file_);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->file_name(), icon_file_);
  EXPECT_NE(GETAPPBASIC(repo_, app_).icon, nullptr);
}

TEST_F(IconTest, IconWordIsFoundInAnyCaseAndBetweenTabs) {
  EXPECT_NE(IconFor("RESOURCE AppIcon\ticon\t" + icon_file_ + "  "), nullptr);
  EXPECT_NE(IconFor("RESOURCE AppIcon Icon   " + icon_file_), nullptr);
}

TEST_F(IconTest, NoIconWithoutABlankBeforeTheWord) {
  EXPECT_EQ(IconFor("ICON " + icon_file_), nullptr);
  EXPECT_EQ(IconFor("RESOURCE AppIconICON " + icon_file_), nullptr);
  EXPECT_EQ(IconFor("RESOURCE AppIcon BITMAP " + icon_file_), nullptr);
}

TEST_F(IconTest, TextAfterThePathBecomesPartOfTheFileName) {
  EXPECT_EQ(IconFor("RESOURCE AppIcon ICON " + icon_file_ + " // the logo"), nullptr);
  EXPECT_EQ(IconFor("RESOURCE AppIcon ICON " + icon_file_ + "\r\n"), nullptr);
}

TEST_F(IconTest, NoIconForMissingFileOrEntity) {
  EXPECT_EQ(APPICON(repo_, app_), nullptr);  // no icon entity
  EXPECT_EQ(IconFor("RESOURCE AppIcon ICON " + icon_file_ + ".missing"), nullptr);
  EXPECT_EQ(IconFor("RESOURCE AppIcon ICON " + icon_file_, 2), nullptr);  // source not fetched
  repo_.ZeroHandleAt("AppQueryIcon", 0);
  EXPECT_EQ(IconFor("RESOURCE AppIcon ICON " + icon_file_), nullptr);
}

// ---- Search paths and used applications.

class SearchPathTest : public ApplicationsTest {
 protected:
  SearchPathTest() : a_(Add("A")), b_(Add("B")), c_(Add("C")), d_(Add("D")) {}

  AppHandle a_, b_, c_, d_;
};

TEST_F(SearchPathTest, SearchPathComesInRepositoryOrder) {
  repo_.SetSearchPath(a_, {c_, b_, d_});
  EXPECT_EQ(APPSEARCHPATH(repo_, a_), (Handles{c_, b_, d_}));
  EXPECT_EQ(APPSEARCHPATH(repo_, b_), Handles{});
}

TEST_F(SearchPathTest, ZeroEntrySkippedAtFirstEndsThePathAtNext) {
  repo_.SetSearchPath(a_, {0, b_, c_});
  repo_.SetSearchPath(b_, {c_, 0, d_});
  EXPECT_EQ(APPSEARCHPATH(repo_, a_), (Handles{b_, c_}));
  EXPECT_EQ(APPSEARCHPATH(repo_, b_), Handles{c_});
}

TEST_F(SearchPathTest, FailingCallsEndThePath) {
  repo_.SetSearchPath(a_, {b_, c_, d_});
  repo_.FailCall("AppSPathGetFirst", 1);
  repo_.FailCall("AppSPathGetNext", 2);
  EXPECT_EQ(APPSEARCHPATH(repo_, a_), Handles{});
  EXPECT_EQ(repo_.CallCount("AppSPathGetNext"), 0);
  EXPECT_EQ(APPSEARCHPATH(repo_, a_), (Handles{b_, c_}));
}

TEST_F(SearchPathTest, UsedApplicationsInDepthFirstOrderOfDiscovery) {
  repo_.SetSearchPath(a_, {b_, c_});
  repo_.SetSearchPath(b_, {d_, c_});
  repo_.SetSearchPath(c_, {a_});
  EXPECT_EQ(GETUSEDAPPS(repo_, a_, false), (Handles{b_, d_, c_, a_}));
  EXPECT_EQ(GETUSEDAPPS(repo_, a_, true), (Handles{b_, d_, c_, a_}));
  EXPECT_EQ(GETUSEDAPPS(repo_, d_, true), Handles{});
}

TEST_F(SearchPathTest, LibraryReachedTwiceIsListedAtItsFirstDiscovery) {
  repo_.SetSearchPath(a_, {b_, c_});
  repo_.SetSearchPath(b_, {d_});
  repo_.SetSearchPath(c_, {d_, b_});
  EXPECT_EQ(GETUSEDAPPS(repo_, a_, false), (Handles{b_, d_, c_}));
  EXPECT_EQ(repo_.CallCount("AppSPathGetFirst"), 4);  // D is followed once
}

TEST_F(SearchPathTest, SystemLibrariesAreDroppedAndNotFollowed) {
  AppHandle system = Add("System Library", true);
  repo_.SetSearchPath(a_, {system, b_});
  repo_.SetSearchPath(system, {c_});
  EXPECT_EQ(GETUSEDAPPS(repo_, a_, false), Handles{b_});
  EXPECT_EQ(GETUSEDAPPS(repo_, a_, true), (Handles{system, c_, b_}));
}

TEST_F(SearchPathTest, ExtendsTheGivenListAndSkipsWhatItHolds) {
  repo_.SetSearchPath(a_, {c_, b_});
  repo_.SetSearchPath(c_, {d_});
  Handles used{c_};
  Handles& result = GETUSEDAPPSEX(repo_, a_, used, false);
  EXPECT_EQ(&result, &used);
  EXPECT_EQ(used, (Handles{c_, b_}));  // C is there already, so D is never reached
}

TEST_F(SearchPathTest, LongChainIsFollowedToItsEnd) {
  constexpr int kLength = 1000;
  Handles chain;
  for (int i = 0; i < kLength; ++i) chain.push_back(Add("Chain" + std::to_string(i)));
  for (int i = 0; i + 1 < kLength; ++i) repo_.SetSearchPath(chain[i], {chain[i + 1], chain[0]});
  Handles used = GETUSEDAPPS(repo_, chain[0], false);
  ASSERT_EQ(used.size(), static_cast<std::size_t>(kLength));
  EXPECT_EQ(used.front(), chain[1]);
  EXPECT_EQ(used[kLength - 2], chain[kLength - 1]);
  EXPECT_EQ(used.back(), chain[0]);
}

// Regression: the walk used to recurse once per application and to search the list it
// had built for every search-path entry, so a chain through every possible handle
// overflowed the call stack, and a thousand-application graph took seconds per call.
TEST_F(SearchPathTest, ChainThroughEveryHandleIsFollowedWithoutRecursion) {
  Handles chain{a_, b_, c_, d_};
  while (chain.size() < 65'535) chain.push_back(Add("Chain" + std::to_string(chain.size())));
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) repo_.SetSearchPath(chain[i], {chain[i + 1]});
  Handles used = GETUSEDAPPS(repo_, chain[0], false);
  ASSERT_EQ(used.size(), chain.size() - 1);
  EXPECT_TRUE(std::equal(used.begin(), used.end(), chain.begin() + 1));
}

}  // namespace
}  // namespace ivarscan
