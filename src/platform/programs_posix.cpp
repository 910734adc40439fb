#include "platform/programs.h"

namespace korvix {

const char* const curl_program = "curl";

}  // namespace korvix
