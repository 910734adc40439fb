#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/file_moves.h"

namespace korvix {

namespace {

// Copies every byte of `from` into a new file `temp` with the same permission bits.
int copy_to_new_file(const std::filesystem::path& from, const std::filesystem::path& temp) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  struct stat info {};
  if (::fstat(in, &info) != 0) {
    int code = errno;
    ::close(in);
    return code;
  }
  int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
  if (out < 0) {
    int code = errno;
    ::close(in);
    return code;
  }
  int code = 0;
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got < 0) code = errno;
      break;
    }
    for (ssize_t done = 0; done < got && code == 0;) {
      ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) code = errno;
      else done += put;
    }
    if (code != 0) break;
  }
  // The umask may have narrowed the mode given to open.
  if (code == 0 && ::fchmod(out, info.st_mode & 07777) != 0) code = errno;
  if (code == 0 && ::fsync(out) != 0) code = errno;
  if (::close(out) != 0 && code == 0) code = errno;
  ::close(in);
  if (code != 0) ::unlink(temp.c_str());
  return code;
}

// Copies `from` beside `to` under a temporary name, then renames it over `to`, so
// `to` is never half-written (and a running program's file is replaced, not written).
int copy_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::path temp = to;
  temp += ".copy-" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (int code = copy_to_new_file(from, temp)) return code;
  if (std::rename(temp.c_str(), to.c_str()) != 0) {
    int code = errno;
    ::unlink(temp.c_str());
    return code;
  }
  return 0;
}

}  // namespace

bool move_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to,
                         unsigned long& error_code) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  int code = errno;
  if (code == EXDEV) {
    // Another volume: copy, then remove the original.
    code = copy_over(from, to);
    if (code == 0) {
      ::unlink(from.c_str());
      return true;
    }
  }
  error_code = static_cast<unsigned long>(code);
  return false;
}

bool copy_file_replacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  return copy_over(from, to) == 0;
}

bool copy_file_over(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& error) {
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
}

bool is_same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool mark_executable(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return false;
  mode_t mode = info.st_mode & 07777;
  mode |= (mode & 0444) >> 2;  // r-- becomes r-x for owner, group and others
  return ::chmod(file.c_str(), mode) == 0;
}

}  // namespace korvix
