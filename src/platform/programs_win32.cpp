#include "platform/programs.h"

namespace korvix {

const char* const curl_program = "curl.exe";
const char* const tar_program = "tar.exe";
const char* const powershell_program = "powershell.exe";
const char* const git_program = "git";

}  // namespace korvix
