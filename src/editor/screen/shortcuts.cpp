// The editor's keyboard shortcuts, one table. Only those marked `while_typing`
// work while a text field has the keyboard; the others need a selected clip,
// and those marked `needs_line` a picked line. While a timeline drag is held
// only the text size changes: the rest would act on the lines under the drag.
#include <imgui_internal.h>

#include <array>

#include "editor/screen/editor_frame.h"

namespace korvix {

namespace {

enum class Command {
  save,
  bigger,
  smaller,
  actual_size,
  undo,
  redo,
  play_pause,
  step_back,
  step_forward,
  previous_line,
  next_line,
  clip_up,
  clip_down,
  speaker,
  loop,
  split,
  join,
  previous_clip,
  next_clip,
  start_here,
  end_here,
  find,
  replace,
  next_match,
  previous_match,
};

struct Shortcut {
  ImGuiKey key;
  ImGuiKeyChord mods;  // held exactly
  Command command;
  int value = 0;  // a step in ms or clips, or a speaker index
  bool repeats = false;
  bool while_typing = false;
  bool needs_line = false;
  // Also while the search or "Replace with" field has the keyboard: typing
  // there never takes the key.
  bool in_find_fields = false;
};

constexpr ImGuiKeyChord ctrl = ImGuiMod_Ctrl;
constexpr ImGuiKeyChord shift = ImGuiMod_Shift;
constexpr ImGuiKeyChord alt = ImGuiMod_Alt;

// Speakers 1 to 9 on their digits, 10 on 0, from the top row or the keypad.
constexpr std::array<Shortcut, 20> speaker_keys = [] {
  std::array<Shortcut, 20> keys{};
  for (int digit = 0; digit < 10; ++digit) {
    int speaker = digit == 0 ? 9 : digit - 1;
    keys[static_cast<size_t>(digit)] = {static_cast<ImGuiKey>(ImGuiKey_0 + digit), 0, Command::speaker, speaker,
                                        false, false, true};
    keys[static_cast<size_t>(10 + digit)] = {static_cast<ImGuiKey>(ImGuiKey_Keypad0 + digit), 0, Command::speaker,
                                             speaker, false, false, true};
  }
  return keys;
}();

constexpr Shortcut shortcuts[] = {
    {ImGuiKey_S, ctrl, Command::save, 0, false, true},
    {ImGuiKey_Equal, ctrl, Command::bigger, 0, false, true},
    {ImGuiKey_Equal, ctrl | shift, Command::bigger, 0, false, true},  // Ctrl and "+" over "="
    {ImGuiKey_KeypadAdd, ctrl, Command::bigger, 0, false, true},
    {ImGuiKey_Minus, ctrl, Command::smaller, 0, false, true},
    {ImGuiKey_KeypadSubtract, ctrl, Command::smaller, 0, false, true},
    {ImGuiKey_0, ctrl, Command::actual_size, 0, false, true},
    {ImGuiKey_Keypad0, ctrl, Command::actual_size, 0, false, true},
    {ImGuiKey_Z, ctrl, Command::undo},
    {ImGuiKey_Z, ctrl | shift, Command::redo},
    {ImGuiKey_Y, ctrl, Command::redo},
    {ImGuiKey_Space, 0, Command::play_pause},
    {ImGuiKey_LeftArrow, 0, Command::step_back, 100, true},
    {ImGuiKey_RightArrow, 0, Command::step_forward, 100, true},
    {ImGuiKey_LeftArrow, shift, Command::step_back, 1000, true},
    {ImGuiKey_RightArrow, shift, Command::step_forward, 1000, true},
    {ImGuiKey_UpArrow, 0, Command::previous_line, -1, true},
    {ImGuiKey_DownArrow, 0, Command::next_line, +1, true},
    {ImGuiKey_UpArrow, alt, Command::clip_up, -1, true},
    {ImGuiKey_DownArrow, alt, Command::clip_down, +1, true},
    {ImGuiKey_L, 0, Command::loop},
    {ImGuiKey_Slash, 0, Command::split, 0, false, false, true},
    {ImGuiKey_KeypadDivide, 0, Command::split, 0, false, false, true},
    {ImGuiKey_M, 0, Command::join, 0, false, false, true},
    {ImGuiKey_PageUp, 0, Command::previous_clip, -1, true},
    {ImGuiKey_PageDown, 0, Command::next_clip, +1, true},
    {ImGuiKey_LeftBracket, 0, Command::start_here, 0, false, false, true},
    {ImGuiKey_RightBracket, 0, Command::end_here, 0, false, false, true},
    {ImGuiKey_F, ctrl, Command::find, 0, false, true},
    {ImGuiKey_H, ctrl, Command::replace, 0, false, true},
    {ImGuiKey_F3, 0, Command::next_match, +1, true, false, false, true},
    {ImGuiKey_F3, shift, Command::previous_match, -1, true, false, false, true},
};

bool text_size(Command command) {
  return command == Command::bigger || command == Command::smaller || command == Command::actual_size;
}

bool pressed(const Shortcut& shortcut) {
  return ImGui::GetIO().KeyMods == shortcut.mods && ImGui::IsKeyPressed(shortcut.key, shortcut.repeats);
}

// A text field has the keyboard: since the last frame, or from this one on.
bool typing() {
  return ImGui::GetIO().WantTextInput || ImGui::GetInputTextState(ImGui::GetActiveID()) != nullptr;
}

void run(EditorFrame& frame, const Shortcut& shortcut) {
  EditorDocument& document = frame.document;
  switch (shortcut.command) {
    case Command::save:
      if (document.dirty()) document.save();
      break;
    case Command::bigger:
      change_text_scale(frame, +1);
      break;
    case Command::smaller:
      change_text_scale(frame, -1);
      break;
    case Command::actual_size:
      change_text_scale(frame, 0);
      break;
    case Command::undo:
      document.undo();
      break;
    case Command::redo:
      document.redo();
      break;
    case Command::play_pause:
      toggle_playing(frame.transport);
      break;
    case Command::step_back:
      step_playhead(document, frame.transport, -shortcut.value);
      break;
    case Command::step_forward:
      step_playhead(document, frame.transport, shortcut.value);
      break;
    case Command::previous_line:
    case Command::next_line:
      pick_line(document, frame.transport, shortcut.value);
      break;
    case Command::clip_up:
    case Command::clip_down:
      move_selected_clip(frame, shortcut.value);
      break;
    case Command::speaker:
      document.set_speaker(document.picked_line, shortcut.value);
      break;
    case Command::loop:
      restart_playing_after(frame.transport, [&] { frame.transport.set_looping(!frame.transport.looping()); });
      break;
    case Command::split:
      document.split_line();
      break;
    case Command::join:
      document.join_next();
      break;
    case Command::previous_clip:
    case Command::next_clip:
      step_clip(frame, shortcut.value);
      break;
    case Command::start_here:
      document.set_start_here();
      break;
    case Command::end_here:
      document.set_end_here();
      break;
    case Command::find:
      focus_search(frame);
      break;
    case Command::replace:
      open_replace_row(frame);
      break;
    case Command::next_match:
    case Command::previous_match:
      step_to_match(frame, shortcut.value);
      break;
  }
}

}  // namespace

void run_shortcuts(EditorFrame& frame) {
  const bool text_field = typing();
  const bool dragging = frame.timeline.drag().active();
  auto consider = [&](const Shortcut& shortcut) {
    if (!pressed(shortcut)) return;
    if (dragging && !text_size(shortcut.command)) return;
    const bool held_by_typing = text_field && !(shortcut.in_find_fields && frame.screen.find.field_active);
    if (!shortcut.while_typing && (held_by_typing || !frame.document.selected())) return;
    if (shortcut.needs_line && frame.document.picked_line < 0) return;
    run(frame, shortcut);
  };
  for (const Shortcut& shortcut : shortcuts) consider(shortcut);
  for (const Shortcut& shortcut : speaker_keys) consider(shortcut);
}

}  // namespace korvix
