// Waiting on the interface thread without holding up other programs (Windows only).
#pragma once

namespace korvix {

// Blocks until `handle` (a process, say) is signalled, taking this thread's window
// messages meanwhile. A thread that owns windows and stops taking messages holds
// up every program that sends it one, such as a broadcast to all windows.
void wait_taking_messages(void* handle);

}  // namespace korvix
