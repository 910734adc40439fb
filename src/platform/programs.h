// Names of the outside programs the launcher runs, as found on the search path.
#pragma once

namespace korvix {

// The command-line HTTP client: "curl.exe" on Windows, "curl" elsewhere.
extern const char* const curl_program;
// The archive tool that unpacks the sources: "tar.exe" on Windows, "tar" elsewhere.
extern const char* const tar_program;
// The shell that runs the project's scripts: "powershell.exe" on Windows, "pwsh" elsewhere.
extern const char* const powershell_program;
// git, the same name everywhere.
extern const char* const git_program;

}  // namespace korvix
