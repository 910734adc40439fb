// Gestures, undo and redo.
#include <algorithm>

#include "editor/document/editor_document.h"

namespace korvix {

void EditorDocument::begin_edit(EditOwner owner) {
  if (gesture_) {
    if (owner == 0 || owner == gesture_owner_) return;
    // A press on the timeline while a field still holds its typing: the typing
    // stays one step, the drag becomes another.
    end_edit();
  }
  const SubtitleClip* clip = selected();
  if (!clip) return;
  gesture_ = EditSnapshot{selected_clip_, *clip};
  gesture_owner_ = owner;
}

bool EditorDocument::end_edit(EditOwner owner) { return gesture_ && owner == gesture_owner_ && end_edit(); }

const SubtitleClip* EditorDocument::clip_at_gesture_start() const {
  return gesture_ && gesture_->clip == selected_clip_ ? &gesture_->copy : nullptr;
}

bool EditorDocument::end_edit() {
  if (!gesture_) return false;
  EditSnapshot before = std::move(*gesture_);
  gesture_.reset();
  size_t index = static_cast<size_t>(before.clip);
  if (index >= file_.clips.size() || file_.clips[index] == before.copy) return false;
  changed_clips_.resize(file_.clips.size(), false);
  changed_clips_[index] = true;
  int32_t clip = before.clip;
  EditStep step;
  step.clips.push_back(std::move(before));
  step.selected = clip;
  push_step(std::move(step));
  return true;
}

void EditorDocument::push_step(EditStep step) {
  // A step of many clips counts as one of the 200.
  undo_.push_back(std::move(step));
  if (undo_.size() > undo_limit) undo_.pop_front();
  redo_.clear();
  mark_dirty();
}

void EditorDocument::undo() { take_step(undo_, redo_, "Nothing to undo.", "Undone."); }

void EditorDocument::redo() { take_step(redo_, undo_, "Nothing to redo.", "Redone."); }

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
    return snapshot.clip < 0 || static_cast<size_t>(snapshot.clip) >= file_.clips.size();
  });
  if (step.clips.empty()) return;
  // The clips as they are now go to the other side; the step's copies take their place.
  changed_clips_.resize(file_.clips.size(), false);
  for (EditSnapshot& snapshot : step.clips) {
    size_t index = static_cast<size_t>(snapshot.clip);
    std::swap(file_.clips[index], snapshot.copy);
    changed_clips_[index] = true;
  }
  ++bulk_changes_;
  int32_t select = step.selected >= 0 && static_cast<size_t>(step.selected) < file_.clips.size()
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
  dirty_ = true;
  leave_deadline_ = 0;
  close_deadline_ = 0;
}

}  // namespace korvix
