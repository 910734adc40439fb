// Telling that a file changed without reading it, for what a frame shows of a
// file: a value read from it is read again only when its stamp differs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

namespace korvix {

// Whether the file exists, its size and its modification time: two status calls.
struct FileStamp {
  std::filesystem::path file;
  bool exists = false;
  uintmax_t size = 0;
  std::filesystem::file_time_type modified{};
  bool operator==(const FileStamp&) const = default;
};

FileStamp file_stamp(const std::filesystem::path& file);

// A value made from a file, made again only when the file's path, size or
// modification time changed since the last time.
template <class T>
class FileCache {
 public:
  // `make` takes the stamp (the file may be missing) and gives the value.
  template <class Make>
  const T& get(const std::filesystem::path& file, const Make& make) {
    // The stamp is taken before reading: a file that changes during the read
    // differs from it next time and is read again.
    FileStamp now = file_stamp(file);
    if (stamp_ != now) {
      value_ = make(now);
      stamp_ = std::move(now);
    }
    return value_;
  }

 private:
  std::optional<FileStamp> stamp_;
  T value_{};
};

}  // namespace korvix
