#include <windows.h>

#include <algorithm>

#include "platform/file_read.h"
#include "platform/file_read_detail.h"

namespace korvix {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::string> read_file_bytes(const std::filesystem::path& path, size_t limit) {
  // Shared all ways, so the game may write or replace the file meanwhile. A
  // folder doesn't open without backup semantics.
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  // A pipe or a device under a file's name would block the read, or never end it.
  LARGE_INTEGER size{};
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
  size_t expected = std::min(static_cast<size_t>(size.QuadPart), limit);
  return read_opened_file(expected, limit, [&file](char* buffer, size_t count) -> long long {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, static_cast<DWORD>(std::min<size_t>(count, 1 << 30)), &got, nullptr)) return -1;
    return got;
  });
}

}  // namespace korvix
