#include "app/artifact_paths.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(ArtifactPathsTest, UnderTheRootFilesAreRelativeToIt) {
  const ArtifactPaths paths("/srv/checkout/repository", "/srv/checkout/");
  EXPECT_TRUE(paths.under_root());
  EXPECT_EQ(paths.root(), "/srv/checkout");
  EXPECT_EQ(paths.RootUri(), "file:///srv/checkout/");
  EXPECT_EQ(paths.PathOf("Sales/Orders.prg"), "repository/Sales/Orders.prg");
  EXPECT_EQ(paths.UriOf("Sales/System Library/A.prg"), "repository/Sales/System%20Library/A.prg");
  EXPECT_EQ(paths.PathOfAbsolute("/srv/checkout/repository/Sales"), "repository/Sales");
  // A file outside the root, such as a warning may name, keeps its absolute path.
  EXPECT_EQ(paths.PathOfAbsolute("/srv/other/x.aef"), "/srv/other/x.aef");
  EXPECT_EQ(paths.UriOfAbsolute("/srv/other/x y.aef"), "file:///srv/other/x%20y.aef");
  // A root is a folder: a sibling that begins with its name is not under it.
  EXPECT_FALSE(ArtifactPaths("/srv/checkout2/repository", "/srv/checkout").under_root());
  EXPECT_EQ(ArtifactPaths("/srv/repo", "/srv/repo").PathOf("A/B.prg"), "A/B.prg");
  EXPECT_EQ(ArtifactPaths("/srv/repo", "/").UriOf("A/B.prg"), "srv/repo/A/B.prg");
}

TEST(ArtifactPathsTest, OutsideTheRootFilesAreAbsoluteFileUris) {
  const ArtifactPaths paths("/data/repos/main repo", "/home/ci/checkout");
  EXPECT_FALSE(paths.under_root());
  EXPECT_EQ(paths.PathOf("Suite/A.prg"), "/data/repos/main repo/Suite/A.prg");
  EXPECT_EQ(paths.UriOf("Suite/A.prg"), "file:///data/repos/main%20repo/Suite/A.prg");
  // Windows paths: drive letters keep their colon, backslashes are separators.
  const ArtifactPaths windows("C:\\Exports\\Sales", "D:\\build");
  EXPECT_EQ(windows.UriOf("Sales.aef"), "file:///C:/Exports/Sales/Sales.aef");
  EXPECT_EQ(ArtifactPaths("C:\\Exports\\Sales", "C:\\").UriOf("Sales.aef"),
            "Exports/Sales/Sales.aef");
  // A network share: the server is the URI's host.
  const ArtifactPaths share("\\\\files\\VO Exports\\Sales", "\\\\files\\ci\\checkout\\");
  EXPECT_EQ(share.UriOf("Sales.aef"), "file://files/VO%20Exports/Sales/Sales.aef");
  EXPECT_EQ(share.RootUri(), "file://files/ci/checkout/");
  EXPECT_EQ(share.PathOf("Sales.aef"), "//files/VO Exports/Sales/Sales.aef");
}

// Names from the file system are taken as they come, UTF-8 on Linux, and converted once:
// a name that is not UTF-8 is read as code page 1252.
TEST(ArtifactPathsTest, FileNamesAreConvertedOnce) {
  const ArtifactPaths paths(
      "/srv/Pr\xC3\xBC"
      "fung/repository",
      "/srv/Pr\xC3\xBC"
      "fung");
  EXPECT_TRUE(paths.under_root());
  EXPECT_EQ(paths.RootUri(), "file:///srv/Pr%C3%BCfung/");
  EXPECT_EQ(paths.PathOf("Sales/Contr\xC3\xB4les #1.prg"),
            "repository/Sales/Contr\xC3\xB4les #1.prg");
  EXPECT_EQ(paths.UriOf("Sales/Contr\xC3\xB4les #1.prg"),
            "repository/Sales/Contr%C3%B4les%20%231.prg");
  EXPECT_EQ(ArtifactPaths("/r", "/").PathOf("Contr\xF4les.prg"), "r/Contr\xC3\xB4les.prg");
  // A file name in code page 1252 under a UTF-8 repository path: each converted alone.
  EXPECT_EQ(paths.PathOf("Contr\xF4les.prg"), "repository/Contr\xC3\xB4les.prg");
  EXPECT_EQ(paths.UriOf("Contr\xF4les.prg"), "repository/Contr%C3%B4les.prg");
}

TEST(ArtifactPathsTest, PathsBecomeUriReferences) {
  EXPECT_EQ(PathToUri("Suite/System Library/A.prg"), "Suite/System%20Library/A.prg");
  EXPECT_EQ(PathToUri("a#b?c%d\\e:f"), "a%23b%3Fc%25d%5Ce%3Af");
  EXPECT_EQ(PathToUri("Az09-._~/"), "Az09-._~/");
  EXPECT_EQ(FileUri("/"), "file:///");
}

}  // namespace
}  // namespace ivarscan
