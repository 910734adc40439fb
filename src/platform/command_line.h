// The Windows command line of an argument list.
//
// Pure text work, built on every platform so that its rules are tested everywhere;
// only the Windows side of the child processes passes it to the system.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// Each UTF-8 argument, as UTF-16, always wrapped in double quotes and separated by
// one blank, escaped so that the child's argument parser gets it back exactly:
// backslashes before a quote or before the closing quote are doubled, a quote
// inside gets one more backslash, other backslashes stay as they are.
std::wstring quote_command_line(const std::vector<std::string>& args);

// UTF-8 text made safe inside a PowerShell single-quoted string. PowerShell ends
// such a string at the ASCII quote and at the typographic ones (U+2018 to U+201B,
// as in "Rick’s Games"), so every one of them is doubled, which reads back as one.
std::string powershell_single_quoted(std::string_view utf8);

// UTF-8 to UTF-16 code units, one U+FFFD for each byte that isn't valid UTF-8.
std::wstring utf8_to_utf16(const std::string& utf8);

}  // namespace korvix
