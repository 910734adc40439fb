#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_read.h"
#include "platform/file_read_detail.h"

namespace korvix {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> read_file_bytes(const std::filesystem::path& path, size_t limit) {
  // Without waiting: opening a FIFO for reading would wait for a writer.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  size_t expected = std::min(static_cast<size_t>(info.st_size), limit);
  return read_opened_file(expected, limit, [&file](char* buffer, size_t count) -> long long {
    ssize_t got = 0;
    do got = ::read(file.get(), buffer, count);
    while (got < 0 && errno == EINTR);
    return got;
  });
}

}  // namespace korvix
