#include "store/settings_file.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(SettingsFileTest, ReadsKeysOfSectionsAndIgnoresEverythingElse) {
  const SettingsFile settings = SettingsFile::Parse(
      "\xEF\xBB\xBF"
      "top=before any section\n"
      "[application]\r\n"
      "  kind \t=\t library  \r\n"
      "; Kind=dll\n"
      "# Kind=dll\n"
      "Kind=program\n"
      "no equals sign here\n"
      "=no key\n"
      "[Other\n"
      "Icon = Main Icon\n"
      "\n"
      "[Unknown]\n"
      "SearchPath=Lib\n");
  EXPECT_EQ(settings.Get("Application", "KIND"), "library");    // the first line counts
  EXPECT_EQ(settings.Get("APPLICATION", "icon"), "Main Icon");  // "[Other" opened nothing
  EXPECT_EQ(settings.Get("Application", "SearchPath", "none"), "none");
  EXPECT_EQ(settings.Get("Unknown", "SearchPath"), "Lib");
  EXPECT_FALSE(settings.Find("Application", "top"));
  EXPECT_EQ(settings.malformed_lines(), (std::vector<int>{7, 8, 9}));
}

TEST(SettingsFileTest, RepeatedSectionsAddTheirKeys) {
  const SettingsFile settings = SettingsFile::Parse("[A]\nx=1\n[B]\nx=2\n[a]\nx=3\ny=4\n");
  EXPECT_EQ(settings.Get("A", "x"), "1");
  EXPECT_EQ(settings.Get("A", "y"), "4");
  EXPECT_EQ(settings.Get("B", "x"), "2");
}

TEST(SettingsFileTest, YesNoValues) {
  const SettingsFile settings =
      SettingsFile::Parse("[S]\na=yes\nb=TRUE\nc=1\nd=no\ne=y\nf=11\ng=\n");
  for (const char* key : {"a", "b", "c"}) EXPECT_TRUE(settings.GetYesNo("S", key, false)) << key;
  for (const char* key : {"d", "e", "f", "g"})
    EXPECT_FALSE(settings.GetYesNo("S", key, true)) << key;
  EXPECT_TRUE(settings.GetYesNo("S", "missing", true));
  EXPECT_FALSE(settings.GetYesNo("S", "missing", false));
}

TEST(SettingsFileTest, SettingAValueKeepsEveryOtherLine) {
  const std::string text =
      "; the IDE's repository\r\n"
      "[Other]\r\n"
      "CurrentProject=Keep\r\n"
      "[Repository]\r\n"
      "Owner=me\r\n"
      "currentproject = Old\r\n"
      "CurrentProject=Duplicate\r\n"
      "Tail=1";
  EXPECT_EQ(SetSettingsValue(text, "repository", "CurrentProject", "New"),
            "; the IDE's repository\r\n"
            "[Other]\r\n"
            "CurrentProject=Keep\r\n"
            "[Repository]\r\n"
            "Owner=me\r\n"
            "currentproject = New\r\n"
            "Tail=1");
}

TEST(SettingsFileTest, SettingTheValueAKeyHasLeavesItsLineAsWritten) {
  const std::string text = "[Repository]\r\nCurrentProject = Head Office \t\r\nOwner=me\r\n";
  EXPECT_EQ(SetSettingsValue(text, "Repository", "CurrentProject", "Head Office"), text);
  EXPECT_EQ(SetSettingsValue(text, "Repository", "CurrentProject", "Sales"),
            "[Repository]\r\nCurrentProject = Sales\r\nOwner=me\r\n");
  EXPECT_EQ(
      SetSettingsValue("[Repository]\nCurrentProject=\n", "Repository", "CurrentProject", "P"),
      "[Repository]\nCurrentProject=P\n");
}

TEST(SettingsFileTest, SettingAMissingKeyAddsIt) {
  EXPECT_EQ(SetSettingsValue("[Repository]\nOwner=me\n", "Repository", "CurrentProject", "P"),
            "[Repository]\nCurrentProject=P\nOwner=me\n");
  EXPECT_EQ(SetSettingsValue("[Repository]", "Repository", "CurrentProject", "P"),
            "[Repository]\nCurrentProject=P\n");
  EXPECT_EQ(SetSettingsValue("[Other]\r\nx=1", "Repository", "CurrentProject", "P"),
            "[Other]\r\nx=1\r\n[Repository]\r\nCurrentProject=P\r\n");
  EXPECT_EQ(SetSettingsValue("", "Repository", "CurrentProject", "P"),
            "[Repository]\nCurrentProject=P\n");
}

// Found by the settings file fuzzer: a last line ending in a lone CR is read without it,
// but adding a line after it made CR CR LF, and the reader then kept one CR in the line.
TEST(SettingsFileTest, AddingALineAfterALastLineEndingInCrKeepsThatLineWhole) {
  const std::string after_section =
      SetSettingsValue("[x]\r\n[Repository]\r", "Repository", "CurrentProject", "P");
  EXPECT_EQ(after_section, "[x]\r\n[Repository]\r\nCurrentProject=P\r\n");
  EXPECT_EQ(SettingsFile::Parse(after_section).Get("Repository", "CurrentProject"), "P");

  const std::string after_key = SetSettingsValue("[Other]\nx=1\r", "Repository", "Current", "P");
  EXPECT_EQ(after_key, "[Other]\nx=1\r\n[Repository]\nCurrent=P\n");
  EXPECT_EQ(SettingsFile::Parse(after_key).Get("Other", "x"), "1");
}

TEST(SettingsFileTest, RemovingAKeyDropsOnlyItsLines) {
  const std::string text =
      "[Repository]\nRestoreProject=A\nCurrentProject=B\n"
      "[Other]\nRestoreProject=C\n[repository]\nrestoreproject=D\n";
  const std::string removed = RemoveSettingsKey(text, "Repository", "RestoreProject");
  EXPECT_EQ(removed, "[Repository]\nCurrentProject=B\n[Other]\nRestoreProject=C\n[repository]\n");
  EXPECT_EQ(RemoveSettingsKey(removed, "Repository", "RestoreProject"), removed);
}

}  // namespace
}  // namespace ivarscan
