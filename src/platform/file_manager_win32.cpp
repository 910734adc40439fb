#include <windows.h>

#include <vector>

#include "platform/command_line.h"
#include "platform/file_manager.h"
#include "platform/paths.h"
#include "platform/system_error.h"

namespace korvix {

namespace {

// Explorer from the Windows folder itself, never one found beside the launcher.
std::filesystem::path explorer_program() {
  wchar_t folder[MAX_PATH];
  UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  std::filesystem::path windows = length > 0 && length < MAX_PATH ? std::filesystem::path(folder)
                                                                  : std::filesystem::path(L"C:\\Windows");
  return windows / L"explorer.exe";
}

}  // namespace

std::vector<std::string> file_manager_command(const std::filesystem::path& folder) {
  return {to_utf8(explorer_program()), to_utf8(folder.lexically_normal().make_preferred())};
}

bool show_folder(const std::filesystem::path& folder, std::string& error) {
  std::vector<std::string> args = file_manager_command(folder);
  std::wstring program = utf8_to_utf16(args[0]);
  std::wstring command = quote_command_line(args);
  std::vector<wchar_t> command_buffer(command.begin(), command.end());
  command_buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command_buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    error = "couldn't start explorer.exe (" + system_error_text(GetLastError()) + ")";
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace korvix
