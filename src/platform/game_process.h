// The game as a plain process: started in its folder and waited for.
#pragma once

#include <filesystem>

namespace korvix {

// Starts `executable` with no arguments in `working_folder` as an ordinary program
// (its own window, no pipes, no job object, the launcher's environment; Windows
// passes no handles, elsewhere only descriptors without close-on-exec go along)
// and blocks until that process has ended. False, with the system's
// error number, when it can't be started.
bool run_game_to_end(const std::filesystem::path& executable, const std::filesystem::path& working_folder,
                     unsigned long& error_number);

}  // namespace korvix
