#include <windows.h>

#include <vector>

#include "platform/detached_start.h"
#include "platform/paths.h"
#include "platform/program_search_win32.h"
#include "platform/programs.h"
#include "platform/text_win32.h"

namespace korvix {

bool start_detached_program(const std::filesystem::path& program, unsigned long& error_code) {
  std::wstring command = L"\"" + program.native() + L"\"";
  std::vector<wchar_t> command_buffer(command.begin(), command.end());
  command_buffer.push_back(L'\0');
  std::wstring folder = program.parent_path().native();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command_buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    error_code = GetLastError();
    return false;
  }
  // Not waited for: the new program runs on its own.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool delete_when_unused(const std::filesystem::path& file) {
  // A running program's file can't be deleted on Windows; a hidden PowerShell loop
  // deletes it once this launcher has ended. The system's PowerShell, never one
  // found beside the launcher.
  std::optional<std::filesystem::path> powershell = locate_program(powershell_program);
  std::optional<std::string> path = path_to_text(file);
  if (!powershell || !path) return false;
  std::wstring command = widen(delayed_delete_command(*path));
  std::vector<wchar_t> command_buffer(command.begin(), command.end());
  command_buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(powershell->c_str(), command_buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace korvix
