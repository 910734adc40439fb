// Gestures, undo and redo.
#include <algorithm>

#include "editor/document/editor_document.h"

namespace korvix {

void EditorDocument::begin_edit(EditOwner owner) {
  if (state_.gesture) {
    if (owner == 0 || owner == state_.gesture_owner) return;
    // A press on the timeline while a field still holds its typing: the typing
    // stays one step, the drag becomes another.
    end_edit();
  }
  const SubtitleClip* clip = selected();
  if (!clip) return;
  state_.gesture = EditSnapshot{state_.selected_clip, *clip};
  state_.gesture_owner = owner;
}

bool EditorDocument::end_edit(EditOwner owner) { return state_.gesture && owner == state_.gesture_owner && end_edit(); }

const SubtitleClip* EditorDocument::clip_at_gesture_start() const {
  return state_.gesture && state_.gesture->clip == state_.selected_clip ? &state_.gesture->copy : nullptr;
}

bool EditorDocument::end_edit() {
  if (!state_.gesture) return false;
  EditSnapshot before = std::move(*state_.gesture);
  state_.gesture.reset();
  size_t index = static_cast<size_t>(before.clip);
  if (index >= state_.file.clips.size() || state_.file.clips[index] == before.copy) return false;
  state_.changed_clips.resize(state_.file.clips.size(), false);
  state_.changed_clips[index] = true;
  int32_t clip = before.clip;
  EditStep step;
  step.clips.push_back(std::move(before));
  step.selected = clip;
  push_step(std::move(step));
  return true;
}

void EditorDocument::push_step(EditStep step) {
  // A step of many clips counts as one of the 200.
  state_.undo.push_back(std::move(step));
  if (state_.undo.size() > undo_limit) state_.undo.pop_front();
  state_.redo.clear();
  mark_dirty();
}

void EditorDocument::undo() { take_step(state_.undo, state_.redo, "Nothing to undo.", "Undone."); }

void EditorDocument::redo() { take_step(state_.redo, state_.undo, "Nothing to redo.", "Redone."); }

void EditorDocument::take_step(std::deque<EditStep>& from, std::deque<EditStep>& to, const char* nothing,
                               const char* done) {
  end_edit();
  if (from.empty()) {
    status = nothing;
    return;
  }
  EditStep step = std::move(from.back());
  from.pop_back();
  // A clip that is gone drops its part of the step; a step with none left is dropped.
  std::erase_if(step.clips, [&](const EditSnapshot& snapshot) {
    return snapshot.clip < 0 || static_cast<size_t>(snapshot.clip) >= state_.file.clips.size();
  });
  if (step.clips.empty()) return;
  // The clips as they are now go to the other side; the step's copies take their place.
  state_.changed_clips.resize(state_.file.clips.size(), false);
  for (EditSnapshot& snapshot : step.clips) {
    size_t index = static_cast<size_t>(snapshot.clip);
    std::swap(state_.file.clips[index], snapshot.copy);
    state_.changed_clips[index] = true;
  }
  int32_t select = step.selected >= 0 && static_cast<size_t>(step.selected) < state_.file.clips.size()
                       ? step.selected
                       : step.clips.front().clip;
  to.push_back(std::move(step));
  // An undo in another clip jumps there.
  select_clip(select);
  clamp_picked_line();
  mark_dirty();
  status = done;
}

void EditorDocument::clamp_picked_line() {
  const SubtitleClip* clip = selected();
  int32_t last = clip ? static_cast<int32_t>(clip->lines.size()) - 1 : -1;
  picked_line = std::min(picked_line, last);
}

void EditorDocument::mark_edited() {
  if (SubtitleClip* clip = selected_mutable()) clip->edited = true;
  mark_dirty();
}

void EditorDocument::mark_dirty() {
  ++revision_;
  state_.dirty = true;
  state_.leave_deadline = 0;
  state_.close_deadline = 0;
}

}  // namespace korvix
