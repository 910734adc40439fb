#include "platform/program_search_win32.h"

#include <windows.h>

#include <string>
#include <system_error>

#include "platform/text_win32.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

struct SystemProgram {
  const wchar_t* name;
  const wchar_t* folder;  // below the system folder
};

// The programs Windows itself ships, found where it keeps them.
constexpr SystemProgram system_programs[] = {
    {L"curl.exe", L""},
    {L"tar.exe", L""},
    {L"powershell.exe", L"WindowsPowerShell\\v1.0"},
};

bool is_file(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool names_a_folder(std::wstring_view program) { return program.find_first_of(L"\\/:") != std::wstring_view::npos; }

std::optional<fs::path> existing(const fs::path& path) {
  if (is_file(path)) return path;
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> locate_program(std::string_view program, const fs::path& system_folder,
                                       std::wstring_view path_variable) {
  std::wstring name = widen(program);
  if (name.empty()) return std::nullopt;
  if (names_a_folder(name)) return existing(name);
  for (const SystemProgram& known : system_programs) {
    if (CompareStringOrdinal(name.c_str(), -1, known.name, -1, TRUE) != CSTR_EQUAL) continue;
    if (system_folder.empty()) return std::nullopt;
    return existing(system_folder / known.folder / known.name);
  }
  // CreateProcess adds ".exe" to a name without an extension; so does this search.
  fs::path file_name(name);
  if (!file_name.has_extension()) file_name += L".exe";
  while (!path_variable.empty()) {
    size_t end = path_variable.find(L';');
    std::wstring_view entry = path_variable.substr(0, end);
    path_variable = end == std::wstring_view::npos ? std::wstring_view() : path_variable.substr(end + 1);
    // PATH may quote an entry that holds a semicolon's neighbours, such as blanks.
    if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"') entry = entry.substr(1, entry.size() - 2);
    fs::path folder(entry);
    // An empty or relative entry means the current folder, or one below it.
    if (entry.empty() || !folder.is_absolute()) continue;
    if (std::optional<fs::path> found = existing(folder / file_name)) return found;
  }
  return std::nullopt;
}

std::optional<fs::path> locate_program(std::string_view program) {
  std::wstring path(32767, L'\0');
  DWORD length = GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  return locate_program(program, system_folder(), path);
}

fs::path system_folder() {
  wchar_t folder[MAX_PATH];
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return fs::path(std::wstring(folder, length));
}

}  // namespace korvix
