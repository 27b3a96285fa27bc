// Icon objects of the GUI toolkit. On Windows an icon holds the handle of the first icon
// extracted from a file; elsewhere it holds only the file name, since nothing in the
// console edition displays application icons.
#ifndef IVARSCAN_PLATFORM_ICON_H_
#define IVARSCAN_PLATFORM_ICON_H_

#include <memory>
#include <string>

namespace ivarscan {

class Icon {
 public:
  virtual ~Icon() = default;
  // The file the icon was taken from.
  virtual const std::string& file_name() const = 0;
};

// Returns the first icon (index 0) of the file, or null when the file does not exist.
std::shared_ptr<Icon> ExtractFirstIcon(const std::string& file_name);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_ICON_H_
