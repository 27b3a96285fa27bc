#include "store/entity_statement.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

std::string PrototypeOf(std::string_view entity_text) {
  return ClassPrototype(EntityStatement(entity_text));
}

std::string NameOf(std::string_view entity_text) {
  return std::string(EntityDisplayName(EntityStatement(entity_text)));
}

TEST(EntityStatementTest, ClassPrototypeKeepsNameAndParentOnly) {
  EXPECT_EQ(PrototypeOf("PARTIAL CLASS Foo INHERIT Bar IMPLEMENTS IBaz // note\r\nEXPORT a\r\n"),
            "CLASS Foo INHERIT Bar");
  EXPECT_EQ(PrototypeOf("CLASS Foo INHERIT\r\n"), "CLASS Foo INHERIT");
  EXPECT_EQ(PrototypeOf("class  Foo\t\tinherit\tBar\r\n"), "CLASS Foo inherit Bar");
  EXPECT_EQ(PrototypeOf("CLASS Foo EXPORT INHERIT Bar Baz\r\n"), "CLASS Foo INHERIT Bar");
  EXPECT_EQ(PrototypeOf("CLASS Foo // INHERIT Bar\r\n"), "CLASS Foo");
  EXPECT_EQ(PrototypeOf("CLASS\r\n"), "CLASS");
}

TEST(EntityStatementTest, SemicolonContinuesTheStatement) {
  const std::string text =
      "CLASS Foo ; // the parent follows\r\n"
      "\tINHERIT ;\t\r\n"
      "  Bar // comment\r\n"
      "EXPORT a\r\n";
  EXPECT_EQ(EntityStatement(text), "CLASS Foo  \tINHERIT    Bar");
  EXPECT_EQ(PrototypeOf(text), "CLASS Foo INHERIT Bar");
  EXPECT_EQ(PrototypeOf("CLASS ;\nFoo\n"), "CLASS Foo");
  // The statement ends with the entity's text; a last ";" is a blank.
  EXPECT_EQ(EntityStatement("CLASS Foo ;"), "CLASS Foo  ");
  EXPECT_EQ(NameOf("CLASS ;"), "");
}

TEST(EntityStatementTest, DisplayNameIsTheWordAfterTheKeyword) {
  EXPECT_EQ(NameOf("PARTIAL CLASS Foo INHERIT Bar\r\n"), "Foo");
  EXPECT_EQ(NameOf("STATIC FUNCTION Helper(x, y) AS INT\r\n"), "Helper");
  EXPECT_EQ(NameOf("METHOD Init(oOwner) CLASS Foo\r\n"), "Init");
  EXPECT_EQ(NameOf("RESOURCE AppIcon ICON C:\\icons\\app.ico\r\n"), "AppIcon");
  EXPECT_EQ(NameOf("_DLL FUNCTION Beep(n AS INT) AS VOID PASCAL:KERNEL32.Beep\r\n"), "Beep");
  EXPECT_EQ(NameOf("_DLL Odd\r\n"), "Odd");
  EXPECT_EQ(NameOf("DEFINE\r\n"), "");
  EXPECT_EQ(NameOf("x := 1\r\n"), "");
}

}  // namespace
}  // namespace ivarscan
