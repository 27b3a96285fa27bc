// SkippedFile: one thing the repository folder layer left out or changed while reading a
// repository folder, with the reason, so that a front end can show it as a warning.
#ifndef IVARSCAN_STORE_SKIPPED_FILE_H_
#define IVARSCAN_STORE_SKIPPED_FILE_H_

#include <string>
#include <vector>

namespace ivarscan {

struct SkippedFile {
  std::string path;    // the file or folder concerned
  std::string reason;  // what was done with it and why

  bool operator==(const SkippedFile&) const = default;
};

// The warnings of one open repository, each recorded once however often the same file is
// read again.
class SkipList {
 public:
  void Add(std::string path, std::string reason);
  void Clear() { entries_.clear(); }
  const std::vector<SkippedFile>& entries() const { return entries_; }

 private:
  std::vector<SkippedFile> entries_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_SKIPPED_FILE_H_
