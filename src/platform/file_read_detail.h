// The part of read_file_bytes that is the same on every system.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace korvix {

// Reads from an opened regular file through `read_some` (which fills at most the
// given count of bytes and returns how many it read, 0 at the end of the file,
// or -1 when the read failed) until the end or `limit`. Nothing when a read
// fails, the bytes don't fit in memory, or fewer than `expected` come.
std::optional<std::string> read_opened_file(size_t expected, size_t limit,
                                            const std::function<long long(char*, size_t)>& read_some);

}  // namespace korvix
