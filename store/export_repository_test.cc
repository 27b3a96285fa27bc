// Export files in a repository folder: where they are found, how they become applications
// and modules beside folders and `.prg` files, and the bare export folder.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/env.h"
#include "store/export_folder.h"
#include "store/folder_repository.h"
#include "store/folder_status.h"
#include "store/project_loader.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

using namespace std::string_literals;

// One record: type and payload length, little-endian, then the payload.
std::string Record(std::uint16_t type, std::string_view payload) {
  const auto length = static_cast<std::uint32_t>(payload.size());
  std::string record{static_cast<char>(type & 0xFF), static_cast<char>(type >> 8)};
  for (int shift = 0; shift < 32; shift += 8) record.push_back(static_cast<char>(length >> shift));
  return record.append(payload);
}
std::string Text(std::string_view text) { return std::string(text) + '\0'; }

const std::string kHeader = Record(0x0001, "\x80\x02sig\0"s);
const std::string kEnd = Record(0xFFFF, "");

std::string Module(std::string_view name, std::string_view source) {
  return Record(0x0020, Text(name)) + Record(0x0040, Text("e")) + Record(0x004E, Text("proto")) +
         Record(0x0041, Text(source));
}

std::string ApplicationExport(std::string_view name, std::string_view rest) {
  return kHeader + (name.empty() ? "" : Record(0x0002, Text(name))) + std::string(rest) + kEnd;
}

class ExportRepositoryTest : public ::testing::Test {
 protected:
  LoadedProject Load(const std::string& project = "P") {
    skipped_.Clear();
    return LoadProject(*Env::Default(), folder_.PathOf(project), project, project, &skipped_);
  }

  std::vector<std::string> ApplicationNames(const LoadedProject& project) {
    std::vector<std::string> names;
    for (const LoadedApplication& application : project.applications)
      names.push_back(application.name);
    return names;
  }

  std::vector<std::string> DisplayNames(const LoadedProject& project) {
    std::vector<std::string> names;
    for (const LoadedEntity& entity : project.entities) names.push_back(entity.display_name);
    return names;
  }

  bool Warned(std::string_view relative, std::string_view reason_part) {
    return folder_.Warned(skipped_.entries(), relative, reason_part);
  }

  TestFolder folder_;
  SkipList skipped_;
};

TEST_F(ExportRepositoryTest, ApplicationExportsSortByNameBesideFolders) {
  folder_.Write("P/project.ini", "[Project]\nSystemLibraries= Base ; other\n");
  folder_.Write("P/Middle/application.ini", "[Application]\nSearchPath=Zed\n");
  folder_.Write("P/Middle/M.prg", "CLASS InFolder\n");
  // File names sort the other way round from the application names.
  folder_.Write("P/a.aef", ApplicationExport("Zed", Record(0x0004, Text(" base ")) +
                                                        Record(0x0004, Text("Nowhere")) +
                                                        Module("Z1", "CLASS InZed\r\n")));
  folder_.Write("P/b.AEF",
                ApplicationExport("Base", Record(0x000A, "\x01") + Module("B1", "CLASS InBase\n")));
  folder_.Write("P/system library.aef", ApplicationExport("", Record(0x000B, "\x01")));
  folder_.Write("P/notes.txt", "not an export");

  const LoadedProject project = Load();
  EXPECT_EQ(ApplicationNames(project),
            (std::vector<std::string>{"Base", "Middle", "Zed", "system library"}));
  const LoadedApplication& base = project.applications[0];
  EXPECT_TRUE(base.library && !base.second_flag && base.system_library);
  const LoadedApplication& system = project.applications[3];
  EXPECT_TRUE(system.library && system.second_flag && system.system_library);
  EXPECT_FALSE(project.applications[1].system_library);
  EXPECT_EQ(project.applications[1].search_path, (std::vector<AppHandle>{3}));
  EXPECT_EQ(project.applications[2].search_path, (std::vector<AppHandle>{1}));
  EXPECT_TRUE(Warned("P/a.aef", "SearchPath entry Nowhere left out"));
  EXPECT_EQ(DisplayNames(project), (std::vector<std::string>{"InBase", "InFolder", "InZed"}));

  ASSERT_EQ(project.modules.size(), 3u);
  EXPECT_EQ(project.modules[0].file, "P/b.AEF");
  EXPECT_EQ(project.modules[0].name_in_file, "B1");
  EXPECT_EQ(project.modules[1].file, "P/Middle/M.prg");
  EXPECT_EQ(project.modules[1].name_in_file, "");
  EXPECT_EQ(project.entities[2].module, 2u);
}

TEST_F(ExportRepositoryTest, TheFirstOfTwoApplicationsOfOneNameIsKept) {
  folder_.Write("P/project.ini", "");
  folder_.Write("P/Shared/application.ini", "");
  folder_.Write("P/Shared/One.prg", "CLASS FromFolder\n");
  folder_.Write("P/1.aef", ApplicationExport("Shared", Module("X", "CLASS FromExport\n")));
  folder_.Write("P/2.aef", ApplicationExport("Twice", Module("X", "CLASS First\n")));
  folder_.Write("P/3.aef", ApplicationExport("Twice", Module("X", "CLASS Second\n")));
  folder_.Write("P/4.aef", ApplicationExport("twice", Module("X", "CLASS OtherCase\n")));

  const LoadedProject project = Load();
  EXPECT_EQ(ApplicationNames(project), (std::vector<std::string>{"Shared", "Twice", "twice"}));
  EXPECT_EQ(DisplayNames(project), (std::vector<std::string>{"FromFolder", "First", "OtherCase"}));
  EXPECT_TRUE(Warned("P/1.aef", "left out: the application Shared is already read from"));
  EXPECT_TRUE(Warned("P/3.aef", "left out: the application Twice is already read from"));
}

TEST_F(ExportRepositoryTest, ADamagedExportIsLeftOutWholeWithOneWarning) {
  folder_.Write("P/project.ini", "");
  folder_.Write("P/Good.aef", ApplicationExport("Good", Module("G", "CLASS Good\n")));
  const std::string whole = ApplicationExport("Bad", Module("B", "CLASS Bad\n"));
  folder_.Write("P/Bad.aef", whole.substr(0, whole.size() - 6));  // no end record
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/Fine.prg", "CLASS Fine\n");
  folder_.Write("P/App/Broken.mef", "\x01\x00\x02\x00\x00\x00\x80\x09"s + kEnd);

  const LoadedProject project = Load();
  EXPECT_EQ(ApplicationNames(project), (std::vector<std::string>{"App", "Good"}));
  EXPECT_EQ(DisplayNames(project), (std::vector<std::string>{"Fine", "Good"}));
  EXPECT_TRUE(Warned("P/Bad.aef", "left out: damaged at byte offset " +
                                      std::to_string(whole.size() - 6) + ": no end record"));
  EXPECT_TRUE(Warned("P/App/Broken.mef", "damaged at byte offset 6: bad header: version word"));
  EXPECT_EQ(skipped_.entries().size(), 2u);
}

TEST_F(ExportRepositoryTest, ModuleExportsSortWithPrgFilesByFileName) {
  folder_.Write("P/project.ini", "");
  folder_.Write("P/App/application.ini", "");
  folder_.Write("P/App/B.prg", "CLASS FromB\n");
  folder_.Write("P/App/A.MEF", kHeader + Module("Inner name", "// lead\nCLASS FromA\n") + kEnd);
  folder_.Write("P/App/C.mef",
                kHeader + Module("C", "CLASS FromC\n") + Module("D", "CLASS Ignored\n") + kEnd);
  folder_.Write("P/App/E.mef", kHeader + kEnd);
  folder_.Write("P/App/F.mef", kHeader + Record(0x0020, Text(" ")) + Record(0x0040, Text("e")) +
                                   Record(0x0044, "\x03\x00"s) +
                                   Record(0x0041, Text("CLASS FromF")) + kEnd);

  const LoadedProject project = Load();
  ASSERT_EQ(project.modules.size(), 5u);
  EXPECT_EQ(project.modules[0].name, "A");
  EXPECT_EQ(project.modules[0].name_in_file, "Inner name");
  EXPECT_EQ(project.modules[0].file, "P/App/A.MEF");
  EXPECT_EQ(project.modules[3].entity_count, 0u);
  EXPECT_EQ(DisplayNames(project), (std::vector<std::string>{"FromA", "FromB", "FromC", "FromF"}));
  EXPECT_TRUE(Warned("P/App/C.mef", "only the first is read"));
  EXPECT_TRUE(Warned("P/App/E.mef", "holds no module"));
}

TEST_F(ExportRepositoryTest, BlankModuleNamesAndLongNamesAreReported) {
  folder_.Write("P/project.ini", "");
  const std::string long_name(64, 'm');
  folder_.Write("P/App.aef",
                ApplicationExport(std::string(32, 'a'), Module(" \t", "CLASS Dropped\n") +
                                                            Module(long_name, "CLASS Kept\n")));
  const LoadedProject project = Load();
  EXPECT_EQ(DisplayNames(project), (std::vector<std::string>{"Kept"}));
  EXPECT_TRUE(Warned("P/App.aef", "module without a name at byte offset"));
  EXPECT_TRUE(Warned("P/App.aef", "name longer than 31 characters"));
  EXPECT_TRUE(Warned("P/App.aef", "module " + long_name + ": name longer than 63"));
}

TEST(BareExportFolderTest, IsOneProjectNamedAfterTheFolderAndNothingIsWrittenAnywhere) {
  TestFolder folder;
  const ScopedTemporaryFolder temporary;
  folder.Write("Exports/Orders.aef", ApplicationExport("Orders", Module("M", "CLASS A\n")));
  folder.Write("Exports/project.ini", "[Project]\nDescription=From the IDE\n");
  const std::string path = folder.PathOf("Exports") + "/";
  EXPECT_TRUE(IsBareExportFolder(*Env::Default(), path));
  EXPECT_EQ(BareExportProjectName(path), "Exports");
  const std::vector<std::string> before = folder.Tree();

  {
    FolderRepository repository(Env::Default(), path);
    ASSERT_EQ(repository.AdamInit(0, nullptr), kFolderOk);
    FolderRepository second(Env::Default(), folder.PathOf("Exports"));
    EXPECT_EQ(second.AdamInit(0, nullptr), kFolderOk);  // two runs may read it at once
    char name[64] = "";
    ASSERT_EQ(repository.AdamQueryCurrentPrjName(name, sizeof name), kFolderOk);
    EXPECT_STREQ(name, "Exports");
    EXPECT_EQ(repository.PrjSelect("EXPORTS"), kFolderOk);
    EXPECT_EQ(repository.PrjSelect("Other"), kFolderNotFound);
    ASSERT_EQ(repository.PrjQueryDescription("Exports", name, sizeof name, 0), kFolderOk);
    EXPECT_STREQ(name, "From the IDE");
    AppHandle application = 0;
    ASSERT_EQ(repository.AdamGetFirstApp(&application), kFolderOk);
    ASSERT_EQ(repository.AppQueryName(application, name, sizeof name), kFolderOk);
    EXPECT_STREQ(name, "Orders");
    EXPECT_EQ(repository.AdamExit(), kFolderOk);
  }
  EXPECT_EQ(folder.Tree(), before);
  EXPECT_TRUE(temporary.folder().Tree().empty());
}

TEST(BareExportFolderTest, PositionsNameTheExportFileTheModuleAndTheLineOfItsText) {
  TestFolder folder;
  folder.Write(
      "Orders.aef",
      ApplicationExport("Orders", Module("First", "CLASS A\n") +
                                      Module("Second", "CLASS B\nEXPORT b\r\n") +
                                      Record(0x0040, Text("c")) + Record(0x004E, Text("proto")) +
                                      Record(0x0041, Text("CLASS C"))));
  FolderRepository repository(Env::Default(), folder.path());
  ASSERT_EQ(repository.AdamInit(0, nullptr), kFolderOk);
  std::vector<std::tuple<std::string, std::string, std::uint32_t>> positions;
  for (EntityHandle entity = 1; entity <= 3; ++entity) {
    std::string file, module;
    std::uint32_t line = 0;
    ASSERT_EQ(repository.EntQuerySourcePosition(entity, &file, &module, &line), kFolderOk);
    positions.emplace_back(file, module, line);
  }
  EXPECT_EQ(
      positions,
      (std::vector<std::tuple<std::string, std::string, std::uint32_t>>{
          {"Orders.aef", "First", 1}, {"Orders.aef", "Second", 1}, {"Orders.aef", "Second", 3}}));
}

TEST(BareExportFolderTest, ProjectFoldersMakeAnOrdinaryRepository) {
  TestFolder folder;
  folder.Write("Orders.aef", ApplicationExport("Orders", ""));
  EXPECT_TRUE(IsBareExportFolder(*Env::Default(), folder.path()));
  folder.Write("Sales/project.ini", "");
  EXPECT_FALSE(IsBareExportFolder(*Env::Default(), folder.path()));
  TestFolder empty;
  EXPECT_FALSE(IsBareExportFolder(*Env::Default(), empty.path()));
}

}  // namespace
}  // namespace ivarscan
