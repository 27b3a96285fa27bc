// Holding the repository: the lock on repository.lock, and how the current project
// survives runs that end normally, fail to write, or are killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/testing/fake_env.h"
#include "store/folder_repository.h"
#include "store/folder_status.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

// Runs `body` in a child process and returns its exit status, or -1 when it was killed.
template <typename Body>
int InChildProcess(Body body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FolderRepositoryLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Alpha/project.ini", "");
    folder_.Write("Beta/project.ini", "");
    folder_.Write("repository.ini", kOriginal);
  }

  std::string CurrentProject(FolderRepository& repository) {
    char buffer[256];
    if (repository.AdamQueryCurrentPrjName(buffer, sizeof buffer) != 0) return "none";
    return buffer;
  }

  static constexpr char kOriginal[] = "# kept\n[Repository]\nCurrentProject=Alpha\nOwner=me\n";
  TestFolder folder_;
  Env* env_ = Env::Default();
};

TEST_F(FolderRepositoryLockTest, OnlyOneOpenAtATimeEvenInOneProcess) {
  FolderRepository first(env_, folder_.path());
  FolderRepository second(env_, folder_.path());
  ASSERT_EQ(first.AdamInit(0, nullptr), kFolderOk);
  EXPECT_TRUE(folder_.Exists("repository.lock"));
  EXPECT_EQ(second.AdamInit(0, nullptr), kFolderLocked);
  EXPECT_EQ(first.AdamInit(0, nullptr), kFolderOk);  // already open
  EXPECT_EQ(first.AdamExit(), kFolderOk);
  EXPECT_EQ(second.AdamInit(0, nullptr), kFolderOk);
  {
    FolderRepository third(env_, folder_.path());
    EXPECT_EQ(third.AdamInit(0, nullptr), kFolderLocked);
  }
  EXPECT_EQ(CurrentProject(second), "Alpha");  // a failed open left nothing behind
}

TEST_F(FolderRepositoryLockTest, DestroyingTheObjectReleasesTheLock) {
  {
    FolderRepository holder(env_, folder_.path());
    ASSERT_EQ(holder.AdamInit(0, nullptr), kFolderOk);
  }
  FolderRepository next(env_, folder_.path());
  EXPECT_EQ(next.AdamInit(0, nullptr), kFolderOk);
}

TEST_F(FolderRepositoryLockTest, AnotherProcessCannotOpenWhileWeHoldIt) {
  FolderRepository holder(env_, folder_.path());
  ASSERT_EQ(holder.AdamInit(0, nullptr), kFolderOk);
  const int status = InChildProcess([&] {
    FolderRepository other(Env::Default(), folder_.path());
    return static_cast<int>(other.AdamInit(0, nullptr));
  });
  EXPECT_EQ(status, static_cast<int>(kFolderLocked));
  holder.AdamExit();
  EXPECT_EQ(InChildProcess([&] {
              FolderRepository other(Env::Default(), folder_.path());
              return static_cast<int>(other.AdamInit(0, nullptr));
            }),
            0);
}

// Opens the repository in a child process that is not the folder's owner (as root, the
// child takes the account nobody) and returns AdamInit's status.
int OpenAsAnotherAccount(const std::string& folder) {
  return InChildProcess([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 99;
    FolderRepository other(Env::Default(), folder);
    const Status status = other.AdamInit(0, nullptr);
    // The reason must name the system's error, and the status must not invite waiting.
    if (status == kFolderLockUnusable &&
        (other.StatusText(status).find(std::strerror(EACCES)) == std::string::npos ||
         other.MayOpenLater(status))) {
      return 98;
    }
    return static_cast<int>(status);
  });
}

TEST_F(FolderRepositoryLockTest, ALockFileThatCannotBeWrittenStillLocks) {
  // repository.lock as another account's run leaves it: readable, not writable, by us.
  folder_.Write("repository.lock", "");
  ASSERT_EQ(::chmod(folder_.PathOf("repository.lock").c_str(), 0444), 0);
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
  EXPECT_EQ(OpenAsAnotherAccount(folder_.path()), static_cast<int>(kFolderOk));
  FolderRepository holder(env_, folder_.path());
  ASSERT_EQ(holder.AdamInit(0, nullptr), kFolderOk);
  EXPECT_EQ(OpenAsAnotherAccount(folder_.path()), static_cast<int>(kFolderLocked));
}

TEST_F(FolderRepositoryLockTest, AFolderWhereNoLockFileCanBeMadeIsNotTakenForHeld) {
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0555), 0);
  EXPECT_EQ(OpenAsAnotherAccount(folder_.path()), static_cast<int>(kFolderLockUnusable));
  ::chmod(folder_.path().c_str(), 0755);
  EXPECT_FALSE(folder_.Exists("repository.lock"));
}

TEST_F(FolderRepositoryLockTest, ALockFileIsMadeForEveryAccountThatMayWriteTheFolder) {
  const mode_t mask = ::umask(0);
  {
    FolderRepository run(env_, folder_.path());
    EXPECT_EQ(run.AdamInit(0, nullptr), kFolderOk);
  }
  ::umask(mask);
  struct stat info;
  ASSERT_EQ(::stat(folder_.PathOf("repository.lock").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666u);
}

TEST_F(FolderRepositoryLockTest, AKilledRunsSelectionIsUndoneByTheNextOpen) {
  // The child makes Beta current and dies without closing the repository.
  const int status = InChildProcess([&] {
    FolderRepository run(Env::Default(), folder_.path());
    if (run.AdamInit(0, nullptr) != 0 || run.PrjSelect("Beta") != 0) return 1;
    ::kill(::getpid(), SIGKILL);
    return 2;
  });
  ASSERT_EQ(status, -1);
  EXPECT_NE(folder_.Read("repository.ini").find("RestoreProject=Alpha"), std::string::npos);

  FolderRepository next(env_, folder_.path());
  ASSERT_EQ(next.AdamInit(0, nullptr), kFolderOk);  // the dead run's lock is gone
  EXPECT_EQ(CurrentProject(next), "Alpha");
  EXPECT_EQ(folder_.Read("repository.ini"), kOriginal);
}

TEST_F(FolderRepositoryLockTest, ClosingWithoutPuttingBackKeepsTheSelectionAndDropsTheRecord) {
  {
    FolderRepository run(env_, folder_.path());
    ASSERT_EQ(run.AdamInit(0, nullptr), kFolderOk);
    ASSERT_EQ(run.PrjSelect("Beta"), kFolderOk);
    EXPECT_EQ(run.AdamExit(), kFolderOk);
  }
  EXPECT_EQ(folder_.Read("repository.ini"),
            "# kept\n[Repository]\nCurrentProject=Beta\nOwner=me\n");
}

// What repository.ini says of the current project before a run; nullopt: there is none.
struct PriorState {
  const char* what;
  std::optional<std::string> text;
};

const PriorState kPriorStates[] = {
    {"no repository.ini", std::nullopt},
    {"no CurrentProject key", "[Repository]\nOwner=me\n"},
    {"an empty CurrentProject", "[Repository]\nCurrentProject=\nOwner=me\n"},
    {"a project that is gone", "[Repository]\nCurrentProject=Gamma\n"},
    {"a name in other letter case", "[Repository]\nCurrentProject=alpha\n"},
};

class PriorStateTest : public FolderRepositoryLockTest {
 protected:
  void SetState(const PriorState& state) {
    if (state.text) {
      folder_.Write("repository.ini", *state.text);
    } else {
      std::remove(folder_.PathOf("repository.ini").c_str());
    }
  }
  void ExpectState(const PriorState& state) {
    if (state.text) {
      EXPECT_EQ(folder_.Read("repository.ini"), *state.text) << state.what;
    } else {
      EXPECT_FALSE(folder_.Exists("repository.ini")) << state.what;
    }
  }
};

TEST_F(PriorStateTest, ARunThatPutsTheCurrentProjectBackLeavesTheFileAsItWas) {
  for (const PriorState& state : kPriorStates) {
    SetState(state);
    FolderRepository run(env_, folder_.path());
    ASSERT_EQ(run.AdamInit(0, nullptr), kFolderOk);
    const std::string before = CurrentProject(run);
    ASSERT_EQ(run.PrjSelect("Beta"), kFolderOk) << state.what;
    EXPECT_EQ(run.PrjSelect(before == "none" ? "" : before.c_str()), kFolderOk) << state.what;
    EXPECT_EQ(CurrentProject(run), before);
    EXPECT_EQ(run.AdamExit(), kFolderOk);
    ExpectState(state);
  }
}

TEST_F(PriorStateTest, TheOpenAfterAKilledRunLeavesTheFileAsItWas) {
  for (const PriorState& state : kPriorStates) {
    SetState(state);
    const int status = InChildProcess([&] {
      FolderRepository run(Env::Default(), folder_.path());
      if (run.AdamInit(0, nullptr) != 0 || run.PrjSelect("Beta") != 0) return 1;
      ::kill(::getpid(), SIGKILL);
      return 2;
    });
    ASSERT_EQ(status, -1) << state.what;
    FolderRepository next(env_, folder_.path());
    ASSERT_EQ(next.AdamInit(0, nullptr), kFolderOk);
    ExpectState(state);
    EXPECT_EQ(next.AdamExit(), kFolderOk);
  }
}

TEST_F(FolderRepositoryLockTest, AFailedWriteChangesNothing) {
  FakeEnv env(env_);
  FolderRepository run(&env, folder_.path());
  ASSERT_EQ(run.AdamInit(0, nullptr), kFolderOk);
  env.FailWriteFileAtomically(folder_.PathOf("repository.ini"),
                              std::make_error_code(std::errc::no_space_on_device));
  EXPECT_EQ(run.PrjSelect("Beta"), kFolderWriteFailed);
  EXPECT_EQ(CurrentProject(run), "Alpha");
  EXPECT_EQ(folder_.Read("repository.ini"), kOriginal);
}

TEST_F(FolderRepositoryLockTest, AnUnreadableRepositoryIniIsNeverOverwritten) {
  FakeEnv env(env_);
  env.FailReadFile(folder_.PathOf("repository.ini"), std::make_error_code(std::errc::io_error));
  FolderRepository run(&env, folder_.path());
  ASSERT_EQ(run.AdamInit(0, nullptr), kFolderOk);
  EXPECT_EQ(CurrentProject(run), "none");
  EXPECT_EQ(run.PrjSelect("Beta"), kFolderWriteFailed);
  EXPECT_EQ(folder_.Read("repository.ini"), kOriginal);
  ASSERT_EQ(run.skipped().size(), 1u);
  EXPECT_EQ(run.skipped()[0].path, folder_.PathOf("repository.ini"));
}

TEST_F(FolderRepositoryLockTest, OpenFailsWhenADeadRunsProjectCannotBePutBack) {
  folder_.Write("repository.ini", "[Repository]\nCurrentProject=Beta\nRestoreProject=Alpha\n");
  FakeEnv env(env_);
  env.FailWriteFileAtomically(folder_.PathOf("repository.ini"),
                              std::make_error_code(std::errc::read_only_file_system));
  FolderRepository run(&env, folder_.path());
  EXPECT_EQ(run.AdamInit(0, nullptr), kFolderWriteFailed);
  FolderRepository other(env_, folder_.path());
  EXPECT_EQ(other.AdamInit(0, nullptr), kFolderOk);  // the failed open released the lock
  EXPECT_EQ(CurrentProject(other), "Alpha");
}

}  // namespace
}  // namespace ivarscan
