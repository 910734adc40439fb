#include "install/game_start.h"

#include <SDL3/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "install/process_runner.h"
#include "platform/game_process.h"
#include "platform/keyboard.h"

namespace korvix {

bool start_game(const std::filesystem::path& executable, const std::filesystem::path& working_folder,
                std::string* error) {
  unsigned long error_number = 0;
  if (!run_game_to_end(executable, working_folder, error_number)) {
    if (error) *error = "couldn't start the game (error " + std::to_string(error_number) + ")";
    return false;
  }
  // The game has ended, and so does the launcher. Workers may still run, so no
  // destructors of statics: they could pull state from under a worker. Their
  // children end with it.
  ProcessRunner::end_all_runs();
  std::fflush(nullptr);
  std::_Exit(0);
}

HeldAtStart read_held_at_start() {
  HeldAtStart held;
  held.shift = system_reports_shift_held() || (SDL_GetModState() & SDL_KMOD_SHIFT) != 0;
  int count = 0;
  if (SDL_JoystickID* ids = SDL_GetGamepads(&count)) {
    for (int i = 0; i < count; ++i) {
      SDL_Gamepad* gamepad = SDL_OpenGamepad(ids[i]);
      if (!gamepad) continue;
      SDL_UpdateGamepads();
      if (SDL_GetGamepadButton(gamepad, SDL_GAMEPAD_BUTTON_LEFT_SHOULDER) ||
          SDL_GetGamepadButton(gamepad, SDL_GAMEPAD_BUTTON_BACK))
        held.gamepad_menu_button = true;
      SDL_CloseGamepad(gamepad);
    }
    SDL_free(ids);
  }
  return held;
}

bool wants_direct_start(bool direct_start, bool installed, const HeldReader& read_held) {
  if (!direct_start || !installed) return false;
  HeldAtStart held = read_held();
  return !held.shift && !held.gamepad_menu_button;
}

}  // namespace korvix
