#include "platform/game_process.h"

#include <windows.h>

#include <string>

#include "platform/command_line.h"
#include "platform/message_wait_win32.h"
#include "platform/paths.h"

namespace korvix {

bool run_game_to_end(const std::filesystem::path& executable, const std::filesystem::path& working_folder,
                     unsigned long& error_number) {
  // The application name is passed on its own, so blanks in the path can't split
  // it; the command line is only the quoted path (the game takes no arguments).
  std::wstring application = executable.wstring();
  std::wstring command_line = quote_command_line({to_utf8(executable)});
  std::wstring folder = working_folder.wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    error_number = GetLastError();
    return false;
  }
  CloseHandle(process.hThread);
  // The launcher's (hidden) windows keep answering while the game runs.
  wait_taking_messages(process.hProcess);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace korvix
