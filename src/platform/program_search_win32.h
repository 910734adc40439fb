// Where Windows starts an outside program from.
//
// Given no application name, CreateProcess looks in the launcher's own folder and
// in the current folder before the system's, so a curl.exe dropped in Downloads,
// where the launcher is first started, would run with the player's rights. The
// launcher names the file itself instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace korvix {

// The file a command whose argument 0 is `program` runs: a name with a folder in
// it as it is; curl.exe and tar.exe from `system_folder`; powershell.exe from
// WindowsPowerShell\v1.0 there; any other bare name from the absolute entries of
// `path_variable` only (empty and relative entries skipped), with ".exe" added
// when it has no extension. Nothing when that file doesn't exist.
std::optional<std::filesystem::path> locate_program(std::string_view program,
                                                    const std::filesystem::path& system_folder,
                                                    std::wstring_view path_variable);

// The same with this system's folder and this process's PATH.
std::optional<std::filesystem::path> locate_program(std::string_view program);

// The system folder (System32), or an empty path when the system can't tell.
std::filesystem::path system_folder();

}  // namespace korvix
