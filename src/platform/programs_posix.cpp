#include "platform/programs.h"

namespace korvix {

const char* const curl_program = "curl";
const char* const tar_program = "tar";
const char* const powershell_program = "pwsh";
const char* const git_program = "git";

}  // namespace korvix
