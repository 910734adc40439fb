// Starting the game: the launcher hides, hands over to the game, and ends with it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace korvix {

// Starts the game with no arguments in `working_folder` and waits for it. On
// success it never returns: the launcher ends with exit code 0 once the game has
// ended, whatever the game's own code. On failure returns false, with
// "couldn't start the game (error N)" in `error` when given.
bool start_game(const std::filesystem::path& executable, const std::filesystem::path& working_folder,
                std::string* error = nullptr);

// What the player holds at start-up to ask for the menu instead of the game.
struct HeldAtStart {
  bool shift = false;                // either Shift key
  bool gamepad_menu_button = false;  // LB or Back (View) on any connected gamepad
};

// Asks right now: the system's key state, SDL's modifier state and every
// connected gamepad (each opened, refreshed and closed again).
HeldAtStart read_held_at_start();

using HeldReader = std::function<HeldAtStart()>;

// The start-up test: the option is on, the game is installed, and nothing is held.
// `read_held` is asked only when the first two hold.
bool wants_direct_start(bool direct_start, bool installed, const HeldReader& read_held);

}  // namespace korvix
