#include "platform/env.h"
#include "platform/icon.h"

namespace ivarscan {
namespace {

class FileNameIcon final : public Icon {
 public:
  explicit FileNameIcon(std::string file_name) : file_name_(std::move(file_name)) {}
  const std::string& file_name() const override { return file_name_; }

 private:
  std::string file_name_;
};

}  // namespace

std::shared_ptr<Icon> ExtractFirstIcon(const std::string& file_name) {
  if (!Env::Default()->FileExists(file_name)) return nullptr;
  return std::make_shared<FileNameIcon>(file_name);
}

}  // namespace ivarscan
