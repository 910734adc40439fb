// Stand-ins for the programs Windows ships. The launcher starts curl.exe, tar.exe
// and powershell.exe from the system folder only, so a test's stand-in has to be
// there. That is done only under Wine, in the test prefix: on a real Windows it
// would replace the system's own programs.
#pragma once

#include <windows.h>

#include <filesystem>
#include <initializer_list>

#include "platform/program_search_win32.h"
#include "state/state_test_support.h"

namespace korvix::test {

inline bool running_under_wine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Puts a copy of `program` at each place (relative to the system folder), unless
// the same bytes are there already: tests running side by side share the prefix,
// and one of them may be running the stand-in. False when not under Wine.
inline bool place_in_system_folder(const std::filesystem::path& program,
                                   std::initializer_list<std::filesystem::path> places) {
  if (!running_under_wine()) return false;
  std::string bytes = read_bytes(program);
  for (const std::filesystem::path& place : places) {
    std::filesystem::path target = system_folder() / place;
    if (read_bytes(target) == bytes) continue;
    std::filesystem::path temporary = target;
    temporary += L".new-" + std::to_wstring(GetCurrentProcessId());
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(program, temporary, std::filesystem::copy_options::overwrite_existing);
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  }
  return true;
}

}  // namespace korvix::test
