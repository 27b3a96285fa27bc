#include "repo/modules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/symbol_table.h"
#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

class ModulesTest : public ::testing::Test {
 protected:
  ModulesTest() {
    repo_.AddProject("Shop");
    repo_.SetCurrentProject("Shop");
    app_ = repo_.AddApplication("Shop", {.name = "Orders"});
    module_ = repo_.AddModule(app_, "Windows");
  }

  std::vector<std::string> ModuleNames(bool sort) {
    std::vector<std::string> names;
    for (const ModuleRecord& record : GETMODULES(repo_, app_, sort)) names.push_back(record.name);
    return names;
  }

  std::vector<std::string> DisplayNames(const EntityFilter& filter, bool sort) {
    std::vector<std::string> names;
    for (const EntityRecord& record : GETENTITIES(repo_, module_, filter, sort)) {
      names.push_back(record.display_name);
    }
    return names;
  }

  EntityHandle AddNamed(const std::string& display_name) {
    return repo_.AddEntity(module_, {.display_name = display_name, .name = display_name});
  }

  FakeRepository repo_;
  AppHandle app_ = 0;
  ModuleHandle module_ = 0;
};

using Names = std::vector<std::string>;

TEST_F(ModulesTest, ModulesComeInRepositoryOrderOrNameOrder) {
  repo_.AddModule(app_, "beta");
  repo_.AddModule(app_, "Alpha");
  EXPECT_EQ(ModuleNames(false), (Names{"Windows", "beta", "Alpha"}));
  EXPECT_EQ(ModuleNames(true), (Names{"Alpha", "beta", "Windows"}));
}

TEST_F(ModulesTest, ModuleRecordsCarryTheirHandles) {
  ModuleHandle second = repo_.AddModule(app_, "Another");
  std::vector<ModuleRecord> modules = GETMODULES(repo_, app_, true);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0].handle, second);
  EXPECT_EQ(modules[0].name, "Another");
  EXPECT_EQ(modules[1].handle, module_);
}

TEST_F(ModulesTest, SortedModulesWithEqualKeysComeOutReversed) {
  AppHandle other = repo_.AddApplication("Shop", {.name = "Other"});
  for (const char* name : {"B", "same", "SAME", "Same", "C"}) repo_.AddModule(other, name);
  std::vector<std::string> names;
  for (const ModuleRecord& record : GETMODULES(repo_, other, true)) names.push_back(record.name);
  EXPECT_EQ(names, (Names{"B", "C", "Same", "SAME", "same"}));
}

TEST_F(ModulesTest, ModuleListEndsAtFailuresAndZeroHandles) {
  repo_.AddModule(app_, "Second");
  repo_.AddModule(app_, "Third");
  repo_.ZeroHandleAt("AppGetFirstModule", 2);
  repo_.ZeroHandleAt("AppGetNextModule", 1);
  repo_.FailCall("AppGetFirstModule", 3);
  repo_.FailCall("AppGetNextModule", 3);
  EXPECT_EQ(ModuleNames(false), Names{"Windows"});  // zero handle from next call 1
  EXPECT_EQ(ModuleNames(false), Names{});           // zero handle from first call 2
  EXPECT_EQ(repo_.CallCount("AppGetNextModule"), 1);
  EXPECT_EQ(ModuleNames(false), Names{});                       // first call 3 fails
  EXPECT_EQ(ModuleNames(false), (Names{"Windows", "Second"}));  // next call 3 fails
  AppHandle empty = repo_.AddApplication("Shop", {.name = "Empty"});
  EXPECT_TRUE(GETMODULES(repo_, empty, false).empty());
}

TEST_F(ModulesTest, ModuleNameIsReadThroughA64ByteBuffer) {
  ModuleHandle long_name = repo_.AddModule(app_, std::string(70, 'm'));
  EXPECT_EQ(MODNAME(repo_, long_name), std::string(63, 'm'));
  EXPECT_EQ(repo_.LastBufferSize("ModQueryName"), 64u);

  repo_.SetFillsBuffersWithoutZero(true);
  EXPECT_EQ(MODNAME(repo_, long_name), std::string(64, 'm'));

  repo_.FailCall("ModQueryName", 0);
  ModuleRecord record = GETMODULEBASIC(repo_, module_);
  EXPECT_EQ(record.handle, module_);
  EXPECT_EQ(record.name, "");
}

// The order of these calls is itself the requirement: the record's texts are fetched with
// RecGet and copied one after the other, and a text must stay valid across the calls that
// come between its RecGet and its copy, so a backend that reuses its text buffer relies on
// exactly this sequence.
TEST_F(ModulesTest, EntityDetailAsksInItsFixedOrder) {
  EntityHandle entity = repo_.AddClass(module_, "Order", "CLASS Order\r\n");
  repo_.entity(entity).description = "The order";
  GETENTITYDETAIL(repo_, entity);
  EXPECT_EQ(repo_.calls(),
            (Names{"EntQueryAppearance", "EntQueryType", "EntQueryVis", "EntQueryVit",
                   "EntQueryBlockType", "EntQuerySubType", "EntQueryCreateTime", "EntQueryTime",
                   "EntQueryDebug", "EntQueryDisplayName", "EntQueryName", "EntQueryData", "RecGet",
                   "EntQueryData", "RecGet", "EntQueryDescription", "RecGet"}));
}

TEST_F(ModulesTest, EntityDetailFillsEverySlot) {
  EntityHandle entity = repo_.AddEntity(module_, {.display_name = "OrderWindow",
                                                  .name = "ORDERWINDOW:Init",
                                                  .type = 4,
                                                  .block_type = 9,
                                                  .visibility = 2,
                                                  .subtype = 5,
                                                  .vit = 6,
                                                  .debug = 7,
                                                  .create_time = 1000,
                                                  .time = 2000,
                                                  .source = "METHOD Init\r\n",
                                                  .second_source = "stored",
                                                  .description = "Opens the window"});
  EntityRecord record = GETENTITYDETAIL(repo_, entity);
  EXPECT_EQ(record.handle, entity);
  EXPECT_EQ(record.display_name, "OrderWindow");
  EXPECT_EQ(record.name, "ORDERWINDOW:Init");
  EXPECT_EQ(record.display_name_symbol, SysAtom("OrderWindow"));
  EXPECT_EQ(record.name_symbol, SysAtom("ORDERWINDOW:Init"));
  EXPECT_EQ(record.source, "METHOD Init\r\n");
  EXPECT_EQ(record.second_source, "stored");
  EXPECT_EQ(record.description, "Opens the window");
  EXPECT_TRUE(record.appearance);
  EXPECT_EQ(record.type, 4);
  EXPECT_EQ(record.block_type, 9);
  EXPECT_EQ(record.visibility, 2);
  EXPECT_EQ(record.subtype, 5);
  EXPECT_EQ(record.vit, 6);
  EXPECT_EQ(record.debug, 7);
  EXPECT_EQ(record.create_time, 1000);
  EXPECT_EQ(record.time, 2000);
}

TEST_F(ModulesTest, SourceTextsAreFetchedOnlyForShownEntitiesOfTypes1To4Except2) {
  struct Case {
    bool appearance;
    std::int16_t type;
    bool fetched;
  };
  for (Case c :
       {Case{true, 1, true}, Case{true, 3, true}, Case{true, 4, true}, Case{true, 2, false},
        Case{true, 0, false}, Case{true, 5, false}, Case{false, 3, false}}) {
    SCOPED_TRACE(testing::Message() << "appearance " << c.appearance << " type " << c.type);
    EntityHandle entity = repo_.AddEntity(module_, {.display_name = "E",
                                                    .type = c.type,
                                                    .appearance = c.appearance,
                                                    .source = "text",
                                                    .second_source = "second"});
    int data_calls = repo_.CallCount("EntQueryData");
    EntityRecord record = GETENTITYDETAIL(repo_, entity);
    EXPECT_EQ(record.source, c.fetched ? "text" : "");
    EXPECT_EQ(record.second_source, c.fetched ? "second" : "");
    EXPECT_EQ(repo_.CallCount("EntQueryData") - data_calls, c.fetched ? 2 : 0);
    EXPECT_EQ(record.display_name, "E");
    EXPECT_EQ(record.description, " ");
  }
}

TEST_F(ModulesTest, FailingSingleQueriesLeaveZeroValues) {
  EntityHandle entity = repo_.AddClass(module_, "Order", "CLASS Order\r\n");
  for (const char* operation :
       {"EntQueryAppearance", "EntQueryBlockType", "EntQueryDisplayName", "EntQueryName"}) {
    repo_.FailCall(operation, 0);
  }
  EntityRecord record = GETENTITYDETAIL(repo_, entity);
  EXPECT_FALSE(record.appearance);
  EXPECT_EQ(record.type, kClassEntityType);
  EXPECT_EQ(record.block_type, 0);
  EXPECT_EQ(record.display_name, "");
  EXPECT_EQ(record.name, "");
  EXPECT_EQ(record.display_name_symbol, 0u);
  EXPECT_EQ(record.source, "");  // not fetched: the appearance flag reads as false
}

TEST_F(ModulesTest, MissingSourceTextGivesEmptyText) {
  EntityHandle entity = repo_.AddClass(module_, "Order", "CLASS Order\r\n");
  repo_.entity(entity).second_source = "second";
  repo_.FailCall("RecGet", 1);
  EntityRecord record = GETENTITYDETAIL(repo_, entity);
  EXPECT_EQ(record.source, "");
  EXPECT_EQ(record.second_source, "second");
}

TEST_F(ModulesTest, FailingPart4QueryLeavesThePart7OutValues) {
  EntityHandle entity = repo_.AddClass(module_, "Order", "CLASS Order\r\n");
  repo_.entity(entity).second_source = "second";
  repo_.FailCall("EntQueryData", 2);
  EntityRecord record = GETENTITYDETAIL(repo_, entity);
  EXPECT_EQ(record.source, "CLASS Order\r\n");
  EXPECT_EQ(record.second_source, "");  // part 7 has no second text
}

TEST_F(ModulesTest, DescriptionIsOneBlankWhenThereIsNone) {
  EntityHandle none = AddNamed("None");
  EntityHandle described = repo_.AddEntity(module_, {.description = "Totals"});
  EntityHandle empty = repo_.AddEntity(module_, {.description = ""});
  EXPECT_EQ(ENTDESCRIPTION(repo_, none), " ");
  EXPECT_EQ(ENTDESCRIPTION(repo_, described), "Totals");
  EXPECT_EQ(ENTDESCRIPTION(repo_, empty), "");
  EXPECT_EQ(ENTDESCRIPTION(repo_, 0), " ");

  repo_.FailCall("RecGet", 0);
  EXPECT_EQ(ENTDESCRIPTION(repo_, described), "");
  repo_.FailCall("EntQueryDescription", 0);
  EXPECT_EQ(ENTDESCRIPTION(repo_, described), " ");
}

TEST_F(ModulesTest, EntitiesComeInRepositoryOrderOrByDisplayName) {
  AddNamed("Total");
  AddNamed("alpha");
  AddNamed("Beta");
  EXPECT_EQ(DisplayNames(nullptr, false), (Names{"Total", "alpha", "Beta"}));
  EXPECT_EQ(DisplayNames(nullptr, true), (Names{"alpha", "Beta", "Total"}));
}

TEST_F(ModulesTest, FilterSeesEveryFullyReadEntity) {
  AddNamed("Helper");
  repo_.AddClass(module_, "Order", "CLASS Order\r\n\tEXPORT nId\r\n");
  repo_.AddEntity(module_, {.display_name = "NotAClass", .type = 3, .block_type = 22});
  std::vector<std::string> seen_sources;
  EntityFilter classes = [&](const EntityRecord& record) {
    seen_sources.push_back(record.source);
    return record.type == kClassEntityType && record.block_type == kClassEntityBlockType;
  };
  std::vector<EntityRecord> found = GETENTITIES(repo_, module_, classes, true);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].display_name, "Order");
  EXPECT_EQ(found[0].source, "CLASS Order\r\n\tEXPORT nId\r\n");
  EXPECT_EQ(seen_sources, (Names{"", "CLASS Order\r\n\tEXPORT nId\r\n", ""}));
}

// GETENTITIES reads each entity into the storage of the one before when the filter turned
// that one down: nothing of the earlier entity may show through.
TEST_F(ModulesTest, EachEntityIsReadAfreshAfterOneTheFilterTurnedDown) {
  repo_.AddEntity(module_, {.display_name = "OrderWindow:Init",
                            .name = "ORDERWINDOW:INIT",
                            .type = 4,
                            .block_type = 9,
                            .visibility = 2,
                            .subtype = 5,
                            .vit = 6,
                            .debug = 7,
                            .create_time = 1000,
                            .time = 2000,
                            .source = "METHOD Init() CLASS OrderWindow\r\n" + std::string(200, 'x'),
                            .second_source = "stored",
                            .description = "Opens the window"});
  repo_.AddEntity(module_, {.display_name = "Hidden",
                            .name = "HIDDEN",
                            .type = 3,
                            .appearance = false,
                            .source = "never fetched"});
  repo_.AddEntity(module_,
                  {.display_name = "Plain", .name = "PLAIN", .source = "FUNCTION Plain\r\n"});
  repo_.FailCall("EntQueryVis", 3);
  repo_.FailCall("EntQueryName", 3);
  EntityFilter all_but_first = [](const EntityRecord& record) {
    return record.display_name != "OrderWindow:Init";
  };
  std::vector<EntityRecord> found = GETENTITIES(repo_, module_, all_but_first, false);
  ASSERT_EQ(found.size(), 2u);
  for (const EntityRecord& record : found) {
    SCOPED_TRACE(record.display_name);
    EXPECT_EQ(record.second_source, "");
    EXPECT_EQ(record.description, " ");
    EXPECT_EQ(record.block_type, 0);
    EXPECT_EQ(record.visibility, 0);
    EXPECT_EQ(record.subtype, 0);
    EXPECT_EQ(record.vit, 0);
    EXPECT_EQ(record.debug, 0);
    EXPECT_EQ(record.create_time, 0);
    EXPECT_EQ(record.time, 0);
  }
  EXPECT_FALSE(found[0].appearance);
  EXPECT_EQ(found[0].source, "");
  EXPECT_EQ(found[0].name, "HIDDEN");
  EXPECT_EQ(found[1].source, "FUNCTION Plain\r\n");
  EXPECT_EQ(found[1].name, "");  // its name query failed
  EXPECT_EQ(found[1].name_symbol, 0u);
}

TEST_F(ModulesTest, EntityListEndsAtFailuresAndZeroHandles) {
  AddNamed("One");
  AddNamed("Two");
  AddNamed("Three");
  repo_.ZeroHandleAt("ModGetFirstEntity", 1);
  repo_.ZeroHandleAt("ModGetNextEntity", 1);
  repo_.FailCall("ModGetFirstEntity", 3);
  repo_.FailCall("ModGetNextEntity", 3);
  EXPECT_EQ(DisplayNames(nullptr, false), Names{});  // zero handle from first call 1
  EXPECT_EQ(repo_.CallCount("ModGetNextEntity"), 0);
  EXPECT_EQ(DisplayNames(nullptr, false), Names{"One"});           // zero handle from next call 1
  EXPECT_EQ(DisplayNames(nullptr, false), Names{});                // first call 3 fails
  EXPECT_EQ(DisplayNames(nullptr, false), (Names{"One", "Two"}));  // next call 3 fails
  ModuleHandle empty = repo_.AddModule(app_, "Empty");
  EXPECT_TRUE(GETENTITIES(repo_, empty, nullptr, false).empty());
}

}  // namespace
}  // namespace ivarscan
