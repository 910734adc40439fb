// Keyboard, gamepad buttons and the left stick, turned into menu actions.
//
// A state machine without SDL calls: events come in as SDL's key and button
// codes with the time of the SDL millisecond clock, actions go out through a
// callback. That keeps held repeat and the stick thresholds testable.
#pragma once

#include <SDL3/SDL_gamepad.h>
#include <SDL3/SDL_keycode.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "app/menu_action.h"

namespace korvix {

// The action a key press gives, if any.
std::optional<MenuAction> action_for_key(SDL_Keycode key);
// The action a gamepad button gives, if any.
std::optional<MenuAction> action_for_button(SDL_GamepadButton button);

constexpr uint64_t first_repeat_ms = 380;
constexpr uint64_t next_repeat_ms = 110;
constexpr float stick_threshold = 0.5f;

class InputMapper {
 public:
  using Deliver = std::function<void(MenuAction)>;

  explicit InputMapper(Deliver deliver) : deliver_(std::move(deliver)) {}

  // `text_input_wanted`: a text field has the keyboard, so no key is an action.
  void key_down(SDL_Keycode key, bool is_repeat, bool text_input_wanted, uint64_t now_ms);
  void key_up(SDL_Keycode key);
  void button_down(SDL_GamepadButton button, uint64_t now_ms);
  void button_up(SDL_GamepadButton button);
  // `raw` is the axis value as SDL gives it, -32768 to 32767.
  void axis_motion(SDL_GamepadAxis axis, int16_t raw, uint64_t now_ms);
  // Once per frame after the events: repeats a held up or down.
  void repeat(uint64_t now_ms);

  MenuAction held() const { return held_; }
  // The repeats of the held direction delivered so far, this one included
  // while it is delivered; 0 for a press.
  int repeats() const { return repeats_; }

 private:
  void deliver(MenuAction action, uint64_t now_ms);
  void release(MenuAction action);

  Deliver deliver_;
  MenuAction held_ = MenuAction::none;
  uint64_t next_repeat_ = 0;
  int repeats_ = 0;
  float last_stick_x_ = 0.0f;
  float last_stick_y_ = 0.0f;
};

}  // namespace korvix
