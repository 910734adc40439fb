// Key state asked of the system directly, outside SDL's event stream.
#pragma once

namespace korvix {

// True when the system reports Shift as held right now. Windows asks the
// asynchronous key state; elsewhere SDL's modifier state is all there is, so false.
bool system_reports_shift_held();

}  // namespace korvix
