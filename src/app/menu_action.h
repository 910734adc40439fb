// The six navigation actions every input source is turned into.
#pragma once

namespace korvix {

// The numbers are also the values of the scripted-action list.
enum class MenuAction : int { none = 0, up = 1, down = 2, left = 3, right = 4, accept = 5, back = 6 };

}  // namespace korvix
