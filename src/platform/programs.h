// Names of the outside programs the launcher runs, as found on the search path.
#pragma once

namespace korvix {

// The command-line HTTP client: "curl.exe" on Windows, "curl" elsewhere.
extern const char* const curl_program;

// PowerShell: "powershell.exe" on Windows, "pwsh" elsewhere.
extern const char* const powershell_program;

}  // namespace korvix
