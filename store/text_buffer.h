// Copying text into a caller's zero-terminated buffer, as every name query of the
// repository interface does.
#ifndef IVARSCAN_STORE_TEXT_BUFFER_H_
#define IVARSCAN_STORE_TEXT_BUFFER_H_

#include <cstdint>
#include <string_view>

#include "repo/repository_access.h"

namespace ivarscan {

// Copies `text` into `buffer` with a terminating zero, writing at most `size` bytes: a text
// longer than size - 1 bytes is cut to fit. Returns kFolderOk, or kFolderBadArgument (and
// writes nothing) for a null buffer or a size of 0.
Status CopyToBuffer(std::string_view text, char* buffer, std::uint32_t size);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_TEXT_BUFFER_H_
