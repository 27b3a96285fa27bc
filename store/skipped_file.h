// SkippedFile: one thing the repository folder layer left out or changed while reading a
// repository folder, with the reason, so that a front end can show it as a warning.
#ifndef IVARSCAN_STORE_SKIPPED_FILE_H_
#define IVARSCAN_STORE_SKIPPED_FILE_H_

#include <cstddef>
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

// What a list of warnings (a SkipList's entries) gained since the last look, for a front end
// that shows each warning once while the list grows. The list must outlive this.
class NewSkippedFiles {
 public:
  explicit NewSkippedFiles(const std::vector<SkippedFile>& skipped) : skipped_(skipped) {}

  // The entries added since the last call, in order (all of them at the first call); empty
  // when there are none.
  std::vector<SkippedFile> Take();

 private:
  const std::vector<SkippedFile>& skipped_;
  std::size_t taken_ = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_SKIPPED_FILE_H_
