#include "platform/file_read.h"

#include <fstream>
#include <system_error>

namespace korvix {

std::optional<std::string> read_file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::error_code error;
  uintmax_t expected = std::filesystem::file_size(path, error);
  // A folder opens on some systems but has no size to read.
  if (error) return std::nullopt;
  std::string bytes;
  char chunk[64 * 1024];
  // A failed read sets the bad bit (the stream turns the system's error into it);
  // the end of the file only sets eof and fail.
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, static_cast<size_t>(in.gcount()));
  if (in.bad() || !in.eof()) return std::nullopt;
  // Fewer bytes than the file holds is a read that stopped part-way: using them
  // would, at the next save, cut the file down to them.
  if (bytes.size() < expected) return std::nullopt;
  return bytes;
}

}  // namespace korvix
