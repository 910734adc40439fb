#include <windows.h>

#include <vector>

#include "platform/file_save_detail.h"
#include "platform/system_error.h"

namespace korvix {

namespace {

// What a new file keeps of the one it replaces: read-only is refused, not kept.
constexpr DWORD kept_attributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The file a link leads to, with the system's text when it leads nowhere.
bool final_path(const std::filesystem::path& link, std::filesystem::path& file, std::string& error) {
  HANDLE handle = CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = system_error_text(GetLastError());
    return false;
  }
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
  }
  DWORD failure = GetLastError();
  CloseHandle(handle);
  if (length == 0 || length >= buffer.size()) {
    error = system_error_text(failure);
    return false;
  }
  file = std::filesystem::path(std::wstring(buffer.data(), length));
  return true;
}

}  // namespace

unsigned long current_process_id() { return GetCurrentProcessId(); }

bool resolve_save_target(const std::filesystem::path& target, SaveTarget& resolved, std::string& error) {
  DWORD attributes = GetFileAttributesW(target.c_str());
  // Missing: a new file there. Other failures are left to the write, which tells them.
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    resolved = {target, false, 0};
    return true;
  }
  // The file a symbolic link leads to. Asked of every file, as Wine shows the
  // host's links as plain files; a file system that can't tell is taken at its
  // word for a file that says it is no link.
  std::filesystem::path file = target;
  std::string final_error;
  if (final_path(target, file, final_error)) {
    attributes = GetFileAttributesW(file.c_str());
  } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    error = final_error;
    return false;
  }
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = system_error_text(GetLastError());
    return false;
  }
  resolved = {file, true, 0};
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;  // a folder in the way: the rename tells
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    error = system_error_text(ERROR_ACCESS_DENIED);
    return false;
  }
  resolved.attributes = attributes & kept_attributes;
  return true;
}

bool write_and_flush(const std::filesystem::path& path, std::string_view bytes, const SaveTarget& target,
                     std::string& error) {
  DWORD attributes = target.attributes != 0 ? static_cast<DWORD>(target.attributes) : FILE_ATTRIBUTE_NORMAL;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, attributes, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = system_error_text(GetLastError());
    return false;
  }
  const char* data = bytes.data();
  size_t left = bytes.size();
  bool ok = true;
  while (ok && left > 0) {
    DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD written = 0;
    ok = WriteFile(file, data, chunk, &written, nullptr) && written > 0;
    data += written;
    left -= written;
  }
  ok = ok && FlushFileBuffers(file);
  if (!ok) error = system_error_text(GetLastError());
  CloseHandle(file);
  return ok;
}

bool replace_file(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = system_error_text(GetLastError());
    return false;
  }
  return true;
}

}  // namespace korvix
