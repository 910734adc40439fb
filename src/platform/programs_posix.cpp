#include "platform/programs.h"

namespace korvix {

const char* const curl_program = "curl";
const char* const powershell_program = "pwsh";

}  // namespace korvix
