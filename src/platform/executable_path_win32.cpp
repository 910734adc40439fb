#include "platform/executable_path.h"

#include <windows.h>

#include <vector>

namespace korvix {

const char* const launcher_file_name = "korvix-launcher.exe";
const char* const launcher_release_asset = "korvix-launcher-windows-x64.exe";

std::filesystem::path running_executable_path() {
  // Room for the longest path the system allows.
  std::vector<wchar_t> buffer(32768);
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  return std::filesystem::path(std::wstring(buffer.data(), length));
}

}  // namespace korvix
