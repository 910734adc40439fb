#include <system_error>

#include "platform/links.h"

namespace korvix {

bool is_link_entry(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  bool link = entry.is_symlink(error);
  return link || error;
}

bool copy_link(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
  std::filesystem::path says = std::filesystem::read_symlink(from, error);
  if (error) return false;
  std::filesystem::create_symlink(says, to, error);
  return !error;
}

}  // namespace korvix
