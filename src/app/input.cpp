#include "app/input.h"

#include <cmath>

namespace korvix {

namespace {

struct KeyBinding {
  SDL_Keycode key;
  MenuAction action;
};

constexpr KeyBinding key_bindings[] = {
    {SDLK_UP, MenuAction::up},         {SDLK_DOWN, MenuAction::down},   {SDLK_LEFT, MenuAction::left},
    {SDLK_RIGHT, MenuAction::right},   {SDLK_RETURN, MenuAction::accept}, {SDLK_KP_ENTER, MenuAction::accept},
    {SDLK_SPACE, MenuAction::accept},  {SDLK_ESCAPE, MenuAction::back}, {SDLK_BACKSPACE, MenuAction::back},
};

struct ButtonBinding {
  SDL_GamepadButton button;
  MenuAction action;
};

constexpr ButtonBinding button_bindings[] = {
    {SDL_GAMEPAD_BUTTON_SOUTH, MenuAction::accept},    {SDL_GAMEPAD_BUTTON_EAST, MenuAction::back},
    {SDL_GAMEPAD_BUTTON_DPAD_UP, MenuAction::up},      {SDL_GAMEPAD_BUTTON_DPAD_DOWN, MenuAction::down},
    {SDL_GAMEPAD_BUTTON_DPAD_LEFT, MenuAction::left},  {SDL_GAMEPAD_BUTTON_DPAD_RIGHT, MenuAction::right},
};

}  // namespace

std::optional<MenuAction> action_for_key(SDL_Keycode key) {
  for (const KeyBinding& binding : key_bindings)
    if (binding.key == key) return binding.action;
  return std::nullopt;
}

std::optional<MenuAction> action_for_button(SDL_GamepadButton button) {
  for (const ButtonBinding& binding : button_bindings)
    if (binding.button == button) return binding.action;
  return std::nullopt;
}

void InputMapper::deliver(MenuAction action, uint64_t now_ms) {
  repeats_ = 0;
  deliver_(action);
  next_repeat_ = now_ms + first_repeat_ms;
  // Only up and down repeat; any other action ends a running repeat.
  held_ = (action == MenuAction::up || action == MenuAction::down) ? action : MenuAction::none;
}

void InputMapper::release(MenuAction action) {
  if (held_ == action) held_ = MenuAction::none;
}

void InputMapper::key_down(SDL_Keycode key, bool is_repeat, bool text_input_wanted, uint64_t now_ms) {
  if (is_repeat || text_input_wanted) return;
  if (std::optional<MenuAction> action = action_for_key(key)) deliver(*action, now_ms);
}

void InputMapper::key_up(SDL_Keycode key) {
  if (key == SDLK_UP) release(MenuAction::up);
  if (key == SDLK_DOWN) release(MenuAction::down);
}

void InputMapper::button_down(SDL_GamepadButton button, uint64_t now_ms) {
  if (std::optional<MenuAction> action = action_for_button(button)) deliver(*action, now_ms);
}

void InputMapper::button_up(SDL_GamepadButton button) {
  if (button == SDL_GAMEPAD_BUTTON_DPAD_UP) release(MenuAction::up);
  if (button == SDL_GAMEPAD_BUTTON_DPAD_DOWN) release(MenuAction::down);
}

void InputMapper::axis_motion(SDL_GamepadAxis axis, int16_t raw, uint64_t now_ms) {
  float value = static_cast<float>(raw) / 32767.0f;
  if (axis == SDL_GAMEPAD_AXIS_LEFTY) {
    float last = last_stick_y_;
    if (value < -stick_threshold && last >= -stick_threshold) {
      deliver(MenuAction::up, now_ms);
    } else if (value > stick_threshold && last <= stick_threshold) {
      deliver(MenuAction::down, now_ms);
    } else if (std::fabs(value) <= stick_threshold && std::fabs(last) > stick_threshold) {
      if (held_ == MenuAction::up || held_ == MenuAction::down) held_ = MenuAction::none;
    }
    last_stick_y_ = value;
  } else if (axis == SDL_GAMEPAD_AXIS_LEFTX) {
    float last = last_stick_x_;
    if (value < -stick_threshold && last >= -stick_threshold) {
      deliver(MenuAction::left, now_ms);
    } else if (value > stick_threshold && last <= stick_threshold) {
      deliver(MenuAction::right, now_ms);
    }
    last_stick_x_ = value;
  }
}

void InputMapper::repeat(uint64_t now_ms) {
  if (held_ == MenuAction::none || now_ms < next_repeat_) return;
  ++repeats_;
  deliver_(held_);
  next_repeat_ = now_ms + next_repeat_ms;
}

}  // namespace korvix
