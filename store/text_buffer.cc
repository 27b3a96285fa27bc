#include "store/text_buffer.h"

#include <algorithm>
#include <cstring>

#include "store/folder_status.h"

namespace ivarscan {

Status CopyToBuffer(std::string_view text, char* buffer, std::uint32_t size) {
  if (buffer == nullptr || size == 0) return kFolderBadArgument;
  const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
  if (length > 0) std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return kFolderOk;
}

}  // namespace ivarscan
