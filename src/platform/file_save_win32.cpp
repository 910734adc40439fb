#include <windows.h>

#include "platform/file_save_detail.h"
#include "platform/system_error.h"

namespace korvix {

unsigned long current_process_id() { return GetCurrentProcessId(); }

bool write_and_flush(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
