#include "platform/file_stamp.h"

#include <system_error>

namespace korvix {

FileStamp file_stamp(const std::filesystem::path& file) {
  FileStamp stamp;
  stamp.file = file;
  std::error_code error;
  stamp.size = std::filesystem::file_size(file, error);
  if (error) return stamp;
  stamp.modified = std::filesystem::last_write_time(file, error);
  stamp.exists = !error;
  return stamp;
}

}  // namespace korvix
