// The export file reader on hand-built files. Every fixture is written out byte by byte,
// one record per line: type (2 bytes LE), payload length (4 bytes LE), payload. Texts end
// in a zero byte that the length counts.
#include "store/export_file.h"

#include <gtest/gtest.h>

#include <string>

#include "store/module_entities.h"

namespace ivarscan {
namespace {

using namespace std::string_literals;

// HEADER, 22 bytes: version word 80 02, then a signature text of 20 bytes.
const std::string kHeader =
    "\x01\x00"
    "\x16\x00\x00\x00"
    "\x80\x02"
    "ivarscan fixture 1.\0"s;
// END, length 0.
const std::string kEnd =
    "\xFF\xFF"
    "\x00\x00\x00\x00"s;

std::vector<std::string> Sources(const ExportModule& module) {
  return {module.entity_sources.begin(), module.entity_sources.end()};
}

TEST(ExportFileTest, ReadsAnApplicationWithItsLibraryListAndModules) {
  const std::string file = kHeader +
                           "\x02\x00"
                           "\x07\x00\x00\x00"
                           "Orders\0"s +  // APPNAME "Orders"
                           "\x0F\x00"
                           "\x05\x00\x00\x00"
                           "desc\0"s +  // APPDESC, not used
                           "\x04\x00"
                           "\x08\x00\x00\x00"
                           " Lib A \0"s +  // SPATH " Lib A "
                           "\x04\x00"
                           "\x08\x00\x00\x00"
                           "Missing\0"s +  // SPATH "Missing"
                           "\x20\x00"
                           "\x05\x00\x00\x00"
                           "Main\0"s +  // MODNAME "Main" (offset 80)
                           "\x0E\x01"
                           "\x03\x00\x00\x00"
                           "\x01\x02\x03"s +  // MODBODY, short: not used
                           "\x40\x00"
                           "\x04\x00\x00\x00"
                           "Foo\0"s +  // ENTNAME "Foo"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x03\x00"s +  // ENTTYPE 3
                           "\x41\x00"
                           "\x18\x00\x00\x00"
                           "CLASS Foo\r\n  EXPORT a\r\n\0"s +  // ENTSOURCE
                           "\x40\x00"
                           "\x05\x00\x00\x00"
                           "Init\0"s +  // ENTNAME "Init"
                           "\x4E\x00"
                           "\x09\x00\x00\x00"
                           "METHOD I\0"s +  // ENTPROTO, no ENTTYPE
                           "\x41\x00"
                           "\x0C\x00\x00\x00"
                           "METHOD I\nx\n\0"s +  // ENTSOURCE, LF line ends
                           "\x20\x00"
                           "\x07\x00\x00\x00"
                           "Second\0"s +  // MODNAME "Second"
                           kEnd;
  ExportFile contents;
  ASSERT_FALSE(ReadExportFile(file, &contents));
  EXPECT_EQ(contents.application_name, "Orders");
  EXPECT_EQ(contents.kind, ExportKind::kUnset);
  EXPECT_EQ(std::vector<std::string>(contents.search_path.begin(), contents.search_path.end()),
            (std::vector<std::string>{" Lib A ", "Missing"}));
  ASSERT_EQ(contents.modules.size(), 2u);
  EXPECT_EQ(contents.modules[0].name, "Main");
  EXPECT_EQ(contents.modules[0].offset, 80u);
  EXPECT_EQ(Sources(contents.modules[0]),
            (std::vector<std::string>{"CLASS Foo\r\n  EXPORT a\r\n", "METHOD I\nx\n"}));
  EXPECT_EQ(contents.modules[1].name, "Second");
  EXPECT_TRUE(contents.modules[1].entity_sources.empty());

  std::string text;
  AppendModuleText(contents.modules[0], &text);
  EXPECT_EQ(text, "CLASS Foo\r\n  EXPORT a\r\nMETHOD I\nx\n");
}

TEST(ExportFileTest, EachEntitySourceEndsItsOwnLineWithCrLf) {
  ExportModule module;
  const std::string sources[] = {"CLASS A\n  EXPORT a", "CLASS B\r", "\nCLASS C\r\n", "x"};
  module.entity_sources.assign(std::begin(sources), std::end(sources));
  std::string text;
  AppendModuleText(module, &text);
  LoadedModule loaded;
  std::vector<LoadedEntity> entities;
  AddModuleEntities(text, 0, &loaded, &entities);
  EXPECT_EQ(loaded.texts, "CLASS A\r\n  EXPORT a\r\n\0CLASS B\r\r\n\r\n\0CLASS C\r\nx\r\n\0"s);
}

TEST(ExportFileTest, KindComesFromTheFlagRecordsTheLastOneWinning) {
  struct Case {
    std::string records;
    ExportKind kind;
  };
  const std::string body45 = std::string(45, '\0');
  auto body_with = [&](std::size_t at, char value) {
    std::string body = body45;
    body[at] = value;
    return "\x0F\x01"
           "\x2D\x00\x00\x00"s +
           body;  // APPBODY, 45 bytes
  };
  const Case cases[] = {
      {"\x0A\x00"
       "\x01\x00\x00\x00"
       "\x01"s,
       ExportKind::kLibrary},  // LIBFLG 1
      {"\x0A\x00"
       "\x01\x00\x00\x00"
       "\x00"s,
       ExportKind::kUnset},  // LIBFLG 0
      {"\x0B\x00"
       "\x01\x00\x00\x00"
       "\x01"s,
       ExportKind::kDll},  // DLLFLG 1
      {"\x0B\x00"
       "\x00\x00\x00\x00"s,
       ExportKind::kUnset},                           // DLLFLG, empty
      {body_with(8, '\x01'), ExportKind::kDll},       // APPBODY +8 = 1
      {body_with(4, '\xFF'), ExportKind::kLibrary},   // APPBODY +4 = 255
      {body_with(4, '\x02'), ExportKind::kUnset},     // APPBODY +4 = 2
      {body_with(44, '\x01'), ExportKind::kConsole},  // APPBODY +44 = 1
      // LIBFLG 1, then an APPBODY with +44 = 255: console overrides library.
      {"\x0A\x00"
       "\x01\x00\x00\x00"
       "\x01"s +
           body_with(44, '\xFF'),
       ExportKind::kConsole},
      // DLLFLG 1, then LIBFLG 1: the later record wins.
      {"\x0B\x00"
       "\x01\x00\x00\x00"
       "\x01"
       "\x0A\x00"
       "\x01\x00\x00\x00"
       "\x01"s,
       ExportKind::kLibrary},
      // APPBODY of 5 bytes with +4 = 1: library; +8 and +44 are not in it, so absent,
      // even though the next record's bytes would hold 1 there.
      {"\x0F\x01"
       "\x05\x00\x00\x00"
       "\x00\x00\x00\x00\x01"
       "\x0F\x00"
       "\x30\x00\x00\x00"s +
           std::string(48, '\x01'),
       ExportKind::kLibrary},
  };
  for (const Case& c : cases) {
    ExportFile contents;
    ASSERT_FALSE(ReadExportFile(kHeader + c.records + kEnd, &contents));
    EXPECT_EQ(contents.kind, c.kind) << testing::PrintToString(c.records);
  }
}

TEST(ExportFileTest, ExternalModuleGivesItsEmbeddedSourceUpToAZeroByte) {
  const std::string file = kHeader +
                           "\x20\x00"
                           "\x04\x00\x00\x00"
                           "Ext\0"s +  // MODNAME "Ext"
                           "\x22\x00"
                           "\x0D\x00\x00\x00"
                           "C:\\src\\x.prg\0"s +  // EXTMODNAME
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "E\0"s +  // ENTNAME "E", ignored
                           "\x4E\x00"
                           "\x07\x00\x00\x00"
                           "FUNC E\0"s +  // ENTPROTO
                           "\x41\x00"
                           "\x09\x00\x00\x00"
                           "FUNC E()\0"s +  // ENTSOURCE
                           "\x01\x01"
                           "\x11\x00\x00\x00"
                           "CLASS Ext\r\n\0junk\0"s +  // EXTMOD, zero inside
                           "\x20\x00"
                           "\x04\x00\x00\x00"
                           "Own\0"s +  // MODNAME "Own"
                           "\x22\x00"
                           "\x03\x00\x00\x00"
                           " \t\0"s +  // EXTMODNAME, blank
                           "\x01\x01"
                           "\x05\x00\x00\x00"
                           "junk\0"s +  // EXTMOD of no use
                           kEnd;
  ExportFile contents;
  ASSERT_FALSE(ReadExportFile(file, &contents));
  ASSERT_EQ(contents.modules.size(), 2u);
  EXPECT_TRUE(contents.modules[0].external);
  std::string text;
  AppendModuleText(contents.modules[0], &text);
  EXPECT_EQ(text, "CLASS Ext\r\n");
  EXPECT_FALSE(contents.modules[1].external);
  text.clear();
  AppendModuleText(contents.modules[1], &text);
  EXPECT_EQ(text, "");
}

TEST(ExportFileTest, KeepsEntitiesWithAPrototypeOrOfTypeThreeAndNoDesignerData) {
  const std::string file = kHeader +
                           "\x20\x00"
                           "\x02\x00\x00\x00"
                           "M\0"s +  // MODNAME "M"
                           "\x41\x00"
                           "\x06\x00\x00\x00"
                           "stray\0"s +  // ENTSOURCE before any ENTNAME
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "W\0"s +  // ENTNAME "W"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x0A\x00"s +  // ENTTYPE 10, window
                           "\x4E\x00"
                           "\x08\x00\x00\x00"
                           "CLASS W\0"s +  // ENTPROTO
                           "\x42\x00"
                           "\x03\x00\x00\x00"
                           "\xFF\x00\x01"s +  // ENTCUSTOM
                           "\x41\x00"
                           "\x08\x00\x00\x00"
                           "CLASS W\0"s +  // ENTSOURCE: dropped
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "U\0"s +  // ENTNAME "U"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x10\x00"s +  // ENTTYPE 16, menu
                           "\x85\x00"
                           "\x02\x00\x00\x00"
                           "\x00\x01"s +  // DT_STATIC
                           "\x41\x00"
                           "\x04\x00\x00\x00"
                           "\x01\x02\x03\x04"s +  // ENTSOURCE, binary
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "B\0"s +  // ENTNAME "B"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x01\x00"s +  // ENTTYPE 1
                           "\x4E\x00"
                           "\x04\x00\x00\x00"
                           " \r\n\0"s +  // ENTPROTO, blank
                           "\x41\x00"
                           "\x08\x00\x00\x00"
                           "FUNC B\n\0"s +  // ENTSOURCE: dropped
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "N\0"s +  // ENTNAME "N", no source
                           "\x4E\x00"
                           "\x07\x00\x00\x00"
                           "FUNC N\0"s +  // ENTPROTO: kept, adds nothing
                           "\x7A\x7A"
                           "\x03\x00\x00\x00"
                           "\x01\x02\x03"s +  // unknown type, skipped
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "C\0"s +  // ENTNAME "C"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x03\x00"s +  // ENTTYPE 3, no prototype
                           "\x41\x00"
                           "\x08\x00\x00\x00"
                           "CLASS C\0"s +  // ENTSOURCE: kept
                           kEnd +
                           "trailing bytes after the end are never read"s;
  ExportFile contents;
  ASSERT_FALSE(ReadExportFile(file, &contents));
  ASSERT_EQ(contents.modules.size(), 1u);
  EXPECT_EQ(Sources(contents.modules[0]), (std::vector<std::string>{"CLASS C"}));
}

TEST(ExportFileTest, RecordsBeforeTheFirstModuleBelongToNone) {
  const std::string file = kHeader +
                           "\x40\x00"
                           "\x02\x00\x00\x00"
                           "X\0"s +  // ENTNAME "X"
                           "\x44\x00"
                           "\x02\x00\x00\x00"
                           "\x03\x00"s +  // ENTTYPE 3
                           "\x41\x00"
                           "\x08\x00\x00\x00"
                           "CLASS X\0"s +  // ENTSOURCE
                           "\x20\x00"
                           "\x01\x00\x00\x00"
                           "\0"s +  // MODNAME, empty
                           "\x02\x00"
                           "\x00\x00\x00\x00"s +  // APPNAME, empty, in a module
                           kEnd;
  ExportFile contents;
  ASSERT_FALSE(ReadExportFile(file, &contents));
  EXPECT_EQ(contents.application_name, "");
  ASSERT_EQ(contents.modules.size(), 1u);
  EXPECT_EQ(contents.modules[0].name, "");
  EXPECT_TRUE(contents.modules[0].entity_sources.empty());
}

TEST(ExportFileTest, DamageIsReportedWithItsOffset) {
  struct Case {
    std::string file;
    std::size_t offset;
    std::string what;
  };
  const std::string module =
      "\x20\x00"
      "\x02\x00\x00\x00"
      "M\0"s;  // MODNAME "M", 8 bytes
  const Case cases[] = {
      {"MZ\x90\x00", 0, "shorter than a header record"},
      {"[Application]\r\nKind=dll\r\n", 0, "not a header's"},
      {"\x01\x00"
       "\x01\x00\x00\x00"
       "\x80\x02"s,
       2, "no room for the version word"},
      {"\x01\x00"
       "\x40\x00\x00\x00"
       "\x80\x02"s,
       2, "runs past the end"},
      {"\x01\x00"
       "\x02\x00\x00\x00"
       "\x00\x03"s +
           kEnd,
       6, "version word 0x0300"},
      {"\x01\x00"
       "\x02\x00\x00\x00"
       "\x00\x02"s +
           kEnd,
       6, "version word 0x0200"},
      {kHeader + module, 36, "no end record"},
      {kHeader + module + "\xFF"s, 36, "cut off"},
      {kHeader + module + "\x40\x00\x01"s, 36, "cut off"},
      {kHeader + module +
           "\x41\x00"
           "\xFF\xFF\xFF\xFF"
           "ab"s +
           kEnd,
       36, "type 0x0041 has length 4294967295"},
  };
  for (const Case& c : cases) {
    ExportFile contents;
    const std::optional<ExportFileDamage> damage = ReadExportFile(c.file, &contents);
    ASSERT_TRUE(damage) << c.what;
    EXPECT_EQ(damage->offset, c.offset) << c.what;
    EXPECT_NE(damage->what.find(c.what), std::string::npos) << damage->what;
  }
}

TEST(ExportFileTest, AcceptsBothVersionsAndAnEndWithoutItsLength) {
  for (const std::string& version : {"\x80\x01"s, "\x80\x02"s}) {
    ExportFile contents;
    EXPECT_FALSE(
        ReadExportFile("\x01\x00"
                       "\x02\x00\x00\x00"s +
                           version + "\xFF\xFF",
                       &contents));
  }
}

}  // namespace
}  // namespace ivarscan
