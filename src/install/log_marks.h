// Which lines of a job's log are errors and which are warnings.
//
// Build tools word their failures in many ways; these rules catch the usual
// ones (MSVC, clang, CMake, Ninja, MSBuild, PowerShell, git) without taking
// counts like "0 Error(s)" or switches like "-ErrorAction" for errors.
#pragma once

#include <string_view>

namespace korvix {

enum class LineMark { none, warning, error };

// Error: the whole word "error" or "fatal" (any case) with a ":" or a compiler
// code ("C2065", "LNK1120", "MSB3073") within the two characters after it; a line
// that begins with "FAILED:" or "Failed:"; or one that holds "CMake Error".
// Warning: the same with the word "warning" and "CMake Warning". An error line
// that also warns is an error.
LineMark mark_of_line(std::string_view line);

}  // namespace korvix
