// TestFolder: a fresh temporary folder for one test, removed with its contents at the end,
// with helpers to write and read the files of a repository folder by relative path.
#ifndef IVARSCAN_STORE_TESTING_TEST_FOLDER_H_
#define IVARSCAN_STORE_TESTING_TEST_FOLDER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/skipped_file.h"

namespace ivarscan {

class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  const std::string& path() const { return path_; }
  // The full path of `relative` ('/'-separated) inside the folder.
  std::string PathOf(std::string_view relative) const;
  // Writes `contents` to the file `relative`, creating its folders; returns its full path.
  std::string Write(std::string_view relative, std::string_view contents) const;
  // Creates the folder `relative` and the folders above it.
  void MakeFolder(std::string_view relative) const;
  // The contents of the file `relative`; empty when it cannot be read.
  std::string Read(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Every file and folder inside, in order: "relative/path/" for a folder,
  // "relative/path=<contents>" for a file; to tell that nothing was written.
  std::vector<std::string> Tree() const;
  // True when `skipped` holds a warning about the file `relative` whose reason contains
  // `reason_part`.
  bool Warned(const std::vector<SkippedFile>& skipped, std::string_view relative,
              std::string_view reason_part) const;

 private:
  std::string path_;
};

// Points the system's temporary folder (TMPDIR) at a fresh TestFolder for the object's
// life, so that a test can tell what the code under test left there.
class ScopedTemporaryFolder {
 public:
  ScopedTemporaryFolder();
  ScopedTemporaryFolder(const ScopedTemporaryFolder&) = delete;
  ScopedTemporaryFolder& operator=(const ScopedTemporaryFolder&) = delete;
  ~ScopedTemporaryFolder();

  const TestFolder& folder() const { return folder_; }

 private:
  TestFolder folder_;
  std::optional<std::string> saved_;  // TMPDIR before
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_TESTING_TEST_FOLDER_H_
