// The form of a repository folder as the repository opens it, and what each form writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/env.h"
#include "store/folder_repository.h"
#include "store/folder_status.h"
#include "store/testing/project_catalogue.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

// A whole session on a folder without a usable project: opened, listed, a selection tried,
// closed. Nothing may be written into the folder or the temporary folder.
void RunSessionOn(const TestFolder& folder) {
  FolderRepository repository(Env::Default(), folder.path());
  ASSERT_EQ(repository.AdamInit(0, nullptr), kFolderOk);
  FolderRepository second(Env::Default(), folder.path());
  EXPECT_EQ(second.AdamInit(0, nullptr), kFolderOk);  // nothing to keep it out of
  EXPECT_TRUE(CatalogueProjects(repository).empty());
  char name[256] = "unchanged";
  EXPECT_EQ(repository.AdamQueryCurrentPrjName(name, sizeof name), kFolderNoCurrentProject);
  EXPECT_EQ(repository.PrjSelect("Sales"), kFolderNotFound);
  AppHandle application = 7;
  EXPECT_EQ(repository.AdamGetFirstApp(&application), kFolderNoCurrentProject);
  EXPECT_EQ(repository.AdamExit(), kFolderOk);
}

TEST(RepositoryFormsTest, AFolderThatHoldsNoProjectGetsNoFileAtAll) {
  TestFolder empty;
  TestFolder leftovers;  // what a killed run may have left, and a folder no project can use
  leftovers.Write("repository.ini",
                  "[Repository]\r\nRestoreProject=Sales\r\nCurrentProject=Gone\r\n");
  leftovers.Write("Trailing blank /project.ini", "");
  leftovers.Write("Notes/readme.txt", "not a project");
  const ScopedTemporaryFolder temporary;
  for (const TestFolder* folder : {&empty, &leftovers}) {
    const std::vector<std::string> before = folder->Tree();
    RunSessionOn(*folder);
    EXPECT_EQ(folder->Tree(), before) << folder->path();
  }
  EXPECT_TRUE(temporary.folder().Tree().empty());
}

TEST(RepositoryFormsTest, TheFormIsRecognisedAgainAtEveryOpen) {
  TestFolder folder;
  FolderRepository repository(Env::Default(), folder.path());
  ASSERT_EQ(repository.AdamInit(0, nullptr), kFolderOk);
  EXPECT_TRUE(CatalogueProjects(repository).empty());
  ASSERT_EQ(repository.AdamExit(), kFolderOk);
  EXPECT_FALSE(folder.Exists("repository.lock"));

  folder.Write("Sales/project.ini", "");
  ASSERT_EQ(repository.AdamInit(0, nullptr), kFolderOk);
  EXPECT_EQ(CatalogueProjects(repository), std::vector<std::string>{"Sales"});
  EXPECT_TRUE(folder.Exists("repository.lock"));  // a repository folder is locked
  EXPECT_EQ(repository.PrjSelect("sales"), kFolderOk);
  EXPECT_EQ(repository.AdamExit(), kFolderOk);
  EXPECT_NE(folder.Read("repository.ini").find("CurrentProject=Sales"), std::string::npos);
}

}  // namespace
}  // namespace ivarscan
