#include "platform/keyboard.h"

#include <windows.h>

namespace korvix {

bool system_reports_shift_held() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace korvix
