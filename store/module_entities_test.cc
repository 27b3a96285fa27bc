#include "store/module_entities.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ivarscan {
namespace {

struct Loaded {
  LoadedModule module;
  std::vector<LoadedEntity> entities;

  // The zero-terminated text of entity `i`, read as RecGet hands it out.
  std::string Text(std::size_t i) const { return module.texts.data() + entities[i].text_offset; }
};

Loaded Load(std::string_view source) {
  Loaded loaded;
  loaded.entities.resize(2);  // entities of earlier modules
  AddModuleEntities(source, 5, &loaded.module, &loaded.entities);
  loaded.entities.erase(loaded.entities.begin(), loaded.entities.begin() + 2);
  return loaded;
}

TEST(ModuleEntitiesTest, TextsGetCrLfLineEndsAndAZeroEach) {
  const Loaded loaded = Load("preamble\nCLASS Foo\nEXPORT a\r\nx\ry\n\nFUNCTION Bar\nRETURN 1");
  EXPECT_EQ(loaded.module.first_entity, 2u);
  ASSERT_EQ(loaded.module.entity_count, 2u);
  ASSERT_EQ(loaded.entities.size(), 2u);
  EXPECT_EQ(loaded.Text(0), "CLASS Foo\r\nEXPORT a\r\nx\ry\r\n\r\n");
  EXPECT_EQ(loaded.Text(1), "FUNCTION Bar\r\nRETURN 1\r\n");
  EXPECT_EQ(loaded.entities[0].text_size, loaded.Text(0).size());
  EXPECT_EQ(loaded.entities[0].display_name, "Foo");
  EXPECT_EQ(loaded.entities[1].display_name, "Bar");
  EXPECT_EQ(loaded.entities[1].keyword, EntityKeyword::kFunction);
  EXPECT_EQ(loaded.entities[1].module, 5u);
  EXPECT_EQ(loaded.module.texts.back(), '\0');
}

TEST(ModuleEntitiesTest, EntitiesKnowTheFileLineTheyStartOn) {
  // Lines end at LF, with or without CR; a lone CR ends none.
  const Loaded loaded = Load("// a\r\n\n/* b\rc */\nCLASS Foo\nEXPORT a\r\n\nFUNCTION Bar\n");
  ASSERT_EQ(loaded.entities.size(), 2u);
  EXPECT_EQ(loaded.entities[0].first_line, 4u);
  EXPECT_EQ(loaded.entities[1].first_line, 7u);
  EXPECT_EQ(Load("CLASS Foo").entities[0].first_line, 1u);
}

TEST(ModuleEntitiesTest, LoneCrAtTheEndStaysAndGetsALineEnd) {
  EXPECT_EQ(Load("FUNCTION A\r").Text(0), "FUNCTION A\r\r\n");
  EXPECT_EQ(Load("FUNCTION A\r\r\n").Text(0), "FUNCTION A\r\r\n");
}

TEST(ModuleEntitiesTest, TextsWithCrLfLineEndsAreKeptAsTheyAre) {
  const Loaded loaded = Load("FUNCTION A\r\nx\r\r\n\r\nFUNCTION B\r\ny");
  ASSERT_EQ(loaded.entities.size(), 2u);
  EXPECT_EQ(loaded.Text(0), "FUNCTION A\r\nx\r\r\n\r\n");
  EXPECT_EQ(loaded.Text(1), "FUNCTION B\r\ny\r\n");
}

TEST(ModuleEntitiesTest, EmptyModuleHasNoEntities) {
  const Loaded loaded = Load("");
  EXPECT_EQ(loaded.module.entity_count, 0u);
  EXPECT_TRUE(loaded.entities.empty());
}

TEST(ModuleEntitiesTest, ZeroBytesStayInTheStoredText) {
  const Loaded loaded = Load(std::string_view("FUNCTION A\nx\0y\n", 15));
  ASSERT_EQ(loaded.entities.size(), 1u);
  EXPECT_EQ(loaded.entities[0].text_size, 17u);
  EXPECT_EQ(loaded.Text(0), "FUNCTION A\r\nx");  // what a zero-terminated reader sees
}

TEST(ModuleEntitiesTest, AppendWithCrLf) {
  std::string out = "x";
  AppendWithCrLf("\na\r\nb\n\n", &out);
  EXPECT_EQ(out, "x\r\na\r\nb\r\n\r\n");
}

}  // namespace
}  // namespace ivarscan
