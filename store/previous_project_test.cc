#include "store/previous_project.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

using Form = PreviousProject::Form;

TEST(PreviousProjectTest, TellsAValueAnEmptyValueNoKeyAndNoFileApart) {
  EXPECT_EQ(PreviousProjectOf("[Repository]\nCurrentProject=Gone\n"),
            (PreviousProject{Form::kValue, "Gone"}));
  EXPECT_EQ(PreviousProjectOf("[Repository]\nCurrentProject=\n"),
            (PreviousProject{Form::kValue, ""}));
  EXPECT_EQ(PreviousProjectOf("[Repository]\nOwner=me\n"), (PreviousProject{Form::kNoKey, ""}));
  EXPECT_EQ(PreviousProjectOf(std::nullopt), (PreviousProject{Form::kNoFile, ""}));
}

TEST(PreviousProjectTest, PuttingBackRestoresExactlyWhatTheFileSaid) {
  const std::string text = "# kept\n[Repository]\nCurrentProject=sales\nOwner=me\n";
  const PreviousProject previous = PreviousProjectOf(text);
  const std::string during =
      RecordPreviousProject("# kept\n[Repository]\nCurrentProject=Beta\nOwner=me\n", previous);
  EXPECT_EQ(RecordedPreviousProject(during), previous);
  EXPECT_EQ(PutBackPreviousProject(during, previous), text);

  const std::string empty = "[Repository]\nCurrentProject=\n";
  const std::string empty_during =
      RecordPreviousProject("[Repository]\nCurrentProject=Beta\n", PreviousProjectOf(empty));
  EXPECT_EQ(PutBackPreviousProject(empty_during, *RecordedPreviousProject(empty_during)), empty);

  const std::string no_key = "[Repository]\nOwner=me\n";
  const std::string no_key_during = RecordPreviousProject(
      "[Repository]\nCurrentProject=Beta\nOwner=me\n", PreviousProjectOf(no_key));
  EXPECT_EQ(RecordedPreviousProject(no_key_during), (PreviousProject{Form::kNoKey, ""}));
  EXPECT_EQ(PutBackPreviousProject(no_key_during, *RecordedPreviousProject(no_key_during)), no_key);

  const std::string no_file_during =
      RecordPreviousProject("[Repository]\nCurrentProject=Beta\n", PreviousProjectOf(std::nullopt));
  EXPECT_EQ(RecordedPreviousProject(no_file_during), (PreviousProject{Form::kNoFile, ""}));
  EXPECT_EQ(PutBackPreviousProject(no_file_during, PreviousProject{Form::kNoFile, ""}),
            std::nullopt);
}

TEST(PreviousProjectTest, ForgettingKeepsTheCurrentProject) {
  const std::string during = RecordPreviousProject("[Repository]\nCurrentProject=Beta\n",
                                                   PreviousProject{Form::kNoKey, ""});
  EXPECT_EQ(ForgetPreviousProject(during), "[Repository]\nCurrentProject=Beta\n");
  EXPECT_EQ(RecordedPreviousProject("[Repository]\nCurrentProject=Beta\n"), std::nullopt);
}

}  // namespace
}  // namespace ivarscan
