#include "store/skipped_file.h"

#include <algorithm>

namespace ivarscan {

void SkipList::Add(std::string path, std::string reason) {
  SkippedFile entry{std::move(path), std::move(reason)};
  if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end()) {
    entries_.push_back(std::move(entry));
  }
}

std::vector<SkippedFile> NewSkippedFiles::Take() {
  if (taken_ >= skipped_.size()) return {};
  std::vector<SkippedFile> taken(skipped_.begin() + static_cast<std::ptrdiff_t>(taken_),
                                 skipped_.end());
  taken_ = skipped_.size();
  return taken;
}

}  // namespace ivarscan
