// Gestures, undo and redo.
#include <algorithm>

#include "subtitles/editor/editor_document.h"

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
  undo_.push_back(std::move(before));
  if (undo_.size() > undo_limit) undo_.pop_front();
  redo_.clear();
  mark_dirty();
  return true;
}

void EditorDocument::undo() { take_step(undo_, redo_, "Nothing to undo.", "Undone."); }

void EditorDocument::redo() { take_step(redo_, undo_, "Nothing to redo.", "Redone."); }

void EditorDocument::take_step(std::deque<EditSnapshot>& from, std::deque<EditSnapshot>& to, const char* nothing,
                               const char* done) {
  end_edit();
  if (from.empty()) {
    status = nothing;
    return;
  }
  EditSnapshot step = std::move(from.back());
  from.pop_back();
  if (step.clip < 0 || static_cast<size_t>(step.clip) >= file_.clips.size()) return;
  // The clip as it is now goes to the other side; the step's copy takes its place.
  size_t index = static_cast<size_t>(step.clip);
  std::swap(file_.clips[index], step.copy);
  to.push_back(std::move(step));
  // An undo in another clip jumps there.
  select_clip(static_cast<int32_t>(index));
  clamp_picked_line();
  changed_clips_.resize(file_.clips.size(), false);
  changed_clips_[index] = true;
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
