// A start that can't make its window: the reason reaches the player.
#pragma once

#include <filesystem>
#include <string>

namespace korvix {

// In the data folder: the reason of the last start that failed.
extern const char* const start_error_file_name;

// Writes `line` as the data folder's start-error file, replacing what an earlier
// failure left there; false when it can't be written.
bool write_start_error(const std::filesystem::path& data_folder, const std::string& line);

// Reports a start that can't go on, such as "SDL_Init failed: REASON": to SDL's
// log, to the start-error file, and in a message box, which needs no window. A
// run driven by the test hooks gets no box (nobody is there to close it), and a
// box that can't be shown is left at that.
void report_start_failure(const std::string& line);

}  // namespace korvix
