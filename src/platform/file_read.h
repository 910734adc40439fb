// Reading a small file whole, in binary, so its bytes (and lines) are the same
// on every platform. The counterpart of save_file_atomically.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace korvix {

// The file's bytes, or nothing when it can't be opened or read whole, or when it
// is no regular file: a FIFO or a device in its place would block the read, or
// never end it, and a folder has no bytes. With `limit`, a longer file gives
// only its first `limit` bytes.
std::optional<std::string> read_file_bytes(const std::filesystem::path& path,
                                           size_t limit = std::numeric_limits<size_t>::max());

}  // namespace korvix
