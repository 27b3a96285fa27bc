#include "engine/finding_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ivarscan {
namespace {

using Json = nlohmann::json;

Json FindingsSchema() {
  const char* source = std::getenv("IVARSCAN_SOURCE_DIR");
  if (source == nullptr) ADD_FAILURE() << "IVARSCAN_SOURCE_DIR is not set";
  std::ifstream file(std::string(source ? source : ".") + "/docs/findings.schema.json");
  return Json::parse(file, nullptr, /*allow_exceptions=*/false);
}

// The JSON output names a class's problem and a variable's finding by the table's ids, and
// its schema must allow exactly those: every kind is one or the other.
TEST(FindingKindsTest, TheSchemaNamesEveryKindByItsId) {
  const Json schema = FindingsSchema();
  ASSERT_TRUE(schema.is_object());
  const Json& definitions = schema["definitions"];
  std::vector<std::string> in_schema =
      definitions["class"]["properties"]["problem"]["properties"]["kind"]["enum"];
  const std::vector<std::string> variable_kinds =
      definitions["variable"]["properties"]["kind"]["enum"];
  in_schema.insert(in_schema.end(), variable_kinds.begin(), variable_kinds.end());
  std::sort(in_schema.begin(), in_schema.end());

  std::vector<std::string> in_table;
  for (const FindingKindInfo& info : FindingKinds()) in_table.emplace_back(info.id);
  std::sort(in_table.begin(), in_table.end());
  EXPECT_EQ(in_schema, in_table);
}

TEST(FindingKindsTest, EveryKindIsFoundByItsIdAndDescribedInFull) {
  ASSERT_EQ(FindingKinds().size(), kFindingKindCount);
  for (const FindingKindInfo& info : FindingKinds()) {
    EXPECT_EQ(FindingKindFromId(info.id), info.kind);
    EXPECT_EQ(&InfoOf(info.kind), &info);
    for (std::string_view text :
         {info.rule_name, info.level, info.precision, info.tags, info.report_text,
          info.short_description, info.full_description, info.help, info.help_markdown}) {
      EXPECT_FALSE(text.empty()) << info.id;
    }
    EXPECT_TRUE(info.level == "error" || info.level == "warning") << info.id;
  }
  EXPECT_EQ(FindingKindFromId("Duplicate-In-Class"), std::nullopt);
  EXPECT_EQ(FindingKindFromId(""), std::nullopt);
}

}  // namespace
}  // namespace ivarscan
