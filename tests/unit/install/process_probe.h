// Whether a process of a killed tree is really gone, by its id.
#pragma once

namespace korvix {

// Waits up to ten seconds for the process to end (a zombie counts as ended);
// false when it still runs.
bool wait_for_process_end(long pid);

// Kills one process by its id.
void end_process(long pid);

}  // namespace korvix
