#include "platform/keyboard.h"

namespace korvix {

bool system_reports_shift_held() { return false; }

}  // namespace korvix
