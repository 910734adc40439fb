#include "platform/programs.h"

namespace korvix {

const char* const curl_program = "curl.exe";
const char* const powershell_program = "powershell.exe";

}  // namespace korvix
