#include <algorithm>
#include <new>

#include "platform/file_read_detail.h"

namespace korvix {

namespace {

constexpr size_t chunk_size = 64 * 1024;

}  // namespace

std::optional<std::string> read_opened_file(size_t expected, size_t limit,
                                            const std::function<long long(char*, size_t)>& read_some) {
  std::string bytes;
  try {
    bytes.reserve(std::min(expected, chunk_size));
    while (bytes.size() < limit) {
      size_t old_size = bytes.size();
      size_t want = std::min(chunk_size, limit - old_size);
      bytes.resize(old_size + want);
      long long got = read_some(bytes.data() + old_size, want);
      if (got < 0) return std::nullopt;
      bytes.resize(old_size + static_cast<size_t>(got));
      if (got == 0) break;
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // a file too large to hold is as unreadable as a missing one
  }
  // Fewer bytes than the file holds is a read that stopped part-way: using them
  // would, at the next save, cut the file down to them.
  if (bytes.size() < expected) return std::nullopt;
  return bytes;
}

}  // namespace korvix
