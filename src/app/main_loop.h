// The launcher's whole run: start-up, window, main loop, shutdown.
#pragma once

namespace korvix {

// Returns the process exit code: 0 after a normal quit, 1 when SDL, the
// window or the renderer can't be created.
int run_launcher();

}  // namespace korvix
