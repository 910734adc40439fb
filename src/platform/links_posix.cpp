#include <system_error>

#include "platform/links.h"

namespace korvix {

bool is_link_entry(const std::filesystem::directory_entry& entry) {
  std::error_code error;
  bool link = entry.is_symlink(error);
  return link || error;
}

}  // namespace korvix
