#include "platform/file_read.h"

#include <fstream>
#include <sstream>

namespace korvix {

std::optional<std::string> read_file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  // A folder opens on some systems but cannot be read.
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
}

}  // namespace korvix
