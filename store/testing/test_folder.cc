#include "store/testing/test_folder.h"

#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace ivarscan {

namespace fs = std::filesystem;

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  std::random_device random;
  const std::string name =
      "ivarscan-store-" + std::to_string(random()) + "-" + std::to_string(counter++);
  fs::path folder = fs::temp_directory_path() / name;
  fs::create_directories(folder);
  path_ = folder.string();
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TestFolder::PathOf(std::string_view relative) const {
  return (fs::path(path_) / fs::path(relative)).string();
}

std::string TestFolder::Write(std::string_view relative, std::string_view contents) const {
  const fs::path file = PathOf(relative);
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  return file.string();
}

void TestFolder::MakeFolder(std::string_view relative) const {
  fs::create_directories(PathOf(relative));
}

std::string TestFolder::Read(std::string_view relative) const {
  std::ifstream in(PathOf(relative), std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool TestFolder::Exists(std::string_view relative) const { return fs::exists(PathOf(relative)); }

std::vector<std::string> TestFolder::Tree() const {
  std::vector<std::string> entries;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_)) {
    const std::string relative = fs::relative(entry.path(), path_).generic_string();
    entries.push_back(entry.is_directory() ? relative + "/" : relative + "=" + Read(relative));
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool TestFolder::Warned(const std::vector<SkippedFile>& skipped, std::string_view relative,
                        std::string_view reason_part) const {
  const std::string path = PathOf(relative);
  for (const SkippedFile& entry : skipped) {
    if (entry.path == path && entry.reason.find(reason_part) != std::string::npos) return true;
  }
  return false;
}

ScopedTemporaryFolder::ScopedTemporaryFolder() {
  if (const char* value = std::getenv("TMPDIR")) saved_ = value;
  ::setenv("TMPDIR", folder_.path().c_str(), 1);
}

ScopedTemporaryFolder::~ScopedTemporaryFolder() {
  if (saved_) {
    ::setenv("TMPDIR", saved_->c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

}  // namespace ivarscan
