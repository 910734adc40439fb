#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/file_save_detail.h"

namespace korvix {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int link_hops_limit = 40;

}  // namespace

unsigned long current_process_id() { return static_cast<unsigned long>(getpid()); }

bool resolve_save_target(const std::filesystem::path& target, SaveTarget& resolved, std::string& error) {
  std::filesystem::path file = target;
  struct stat info {};
  for (int hops = 0;; ++hops) {
    // Missing (or a link that leads nowhere yet): a new file there. Other
    // failures are left to the write, which tells them.
    if (::lstat(file.c_str(), &info) != 0) {
      resolved = {file, false, 0};
      return true;
    }
    if (!S_ISLNK(info.st_mode)) break;
    std::error_code link_error;
    std::filesystem::path next = std::filesystem::read_symlink(file, link_error);
    if (hops == link_hops_limit) link_error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    if (link_error) {
      error = link_error.message();
      return false;
    }
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  resolved = {file, true, 0};
  if (!S_ISREG(info.st_mode)) return true;  // a folder or a FIFO in the way: the rename tells
  // A file nobody may write is read-only even for the superuser, who could.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    error = std::strerror(EACCES);
    return false;
  }
  if (::access(file.c_str(), W_OK) != 0) {
    error = std::strerror(errno);
    return false;
  }
  resolved.attributes = info.st_mode & 0777;
  return true;
}

bool write_and_flush(const std::filesystem::path& path, std::string_view bytes, const SaveTarget& target,
                     std::string& error) {
  // A link planted at the temporary name is not written through.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  bool ok = !target.exists || target.attributes == 0 || ::fchmod(fd, static_cast<mode_t>(target.attributes)) == 0;
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    ok = written >= 0;
    if (ok) {
      data += written;
      left -= static_cast<size_t>(written);
    }
  }
  ok = ok && ::fsync(fd) == 0;
  if (!ok) error = std::strerror(errno);
  if (::close(fd) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  return ok;
}

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace korvix
