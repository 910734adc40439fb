// Speakers: who says each line, their names, and "Corrected by hand".
#include <algorithm>

#include "editor/document/editor_document.h"
#include "editor/document/typed_text.h"

namespace korvix {

namespace {

int clamped_speaker(int speaker) { return std::clamp(speaker, 0, speaker_count_max - 1); }

bool valid_speaker(int speaker) { return speaker >= 0 && speaker < speaker_count_max; }

}  // namespace

int EditorDocument::speaker_count(int32_t clip) const { return speakers_besides(clip, -1); }

int EditorDocument::speakers_besides(int32_t clip_index, int skipped_line) const {
  if (clip_index < 0 || static_cast<size_t>(clip_index) >= state_.file.clips.size()) return 1;
  const SubtitleClip& clip = state_.file.clips[static_cast<size_t>(clip_index)];
  int count = 1;
  if (state_.extra_speakers_clip == clip_index && clip_index == state_.selected_clip) count = state_.extra_speakers;
  for (size_t i = 0; i < clip.lines.size(); ++i) {
    if (static_cast<int>(i) != skipped_line) count = std::max(count, clamped_speaker(clip.lines[i].speaker) + 1);
  }
  for (size_t i = 0; i < clip.names.size(); ++i) {
    if (!clip.names[i].empty()) count = std::max(count, static_cast<int>(i) + 1);
  }
  return std::min(count, speaker_count_max);
}

bool EditorDocument::cycle_speaker(int line, int step) {
  SubtitleLine* l = line_mutable(line);
  if (!l) return false;
  // One speaker more than the rest of the clip has (up to ten). The line's own
  // speaker doesn't count, or each click would offer yet another new one and
  // the cycle would never come back to speaker 1 before ten.
  int offered = std::min(speakers_besides(state_.selected_clip, line) + 1, speaker_count_max);
  int current = std::min(clamped_speaker(l->speaker), offered - 1);
  return set_speaker(line, (current + step + offered) % offered);
}

bool EditorDocument::next_speaker(int line) { return cycle_speaker(line, +1); }

bool EditorDocument::previous_speaker(int line) { return cycle_speaker(line, -1); }

bool EditorDocument::set_speaker(int line, int speaker) {
  SubtitleLine* l = line_mutable(line);
  if (!l || !valid_speaker(speaker) || l->speaker == speaker) return false;
  EditScope scope(*this);
  l->speaker = speaker;
  mark_edited();
  return true;
}

bool EditorDocument::set_corrected(bool corrected) {
  SubtitleClip* clip = selected_mutable();
  if (!clip || clip->edited == corrected) return false;
  EditScope scope(*this);
  clip->edited = corrected;
  mark_dirty();
  return true;
}

bool EditorDocument::store_name(int speaker, std::string name) {
  SubtitleClip* clip = selected_mutable();
  if (!clip || !valid_speaker(speaker) || clip->names[static_cast<size_t>(speaker)] == name) return false;
  EditScope scope(*this);
  clip->names[static_cast<size_t>(speaker)] = std::move(name);
  mark_edited();
  return true;
}

bool EditorDocument::set_name(int speaker, std::string_view text) {
  const SubtitleClip* clip = selected();
  if (!clip || !valid_speaker(speaker)) return false;
  std::string_view before = clip->names[static_cast<size_t>(speaker)];
  const SubtitleClip* start = clip_at_gesture_start();
  if (start && start->names[static_cast<size_t>(speaker)].size() > before.size()) {
    before = start->names[static_cast<size_t>(speaker)];
  }
  return store_name(speaker, std::string(limit_typed(before, name_text(text), name_max_bytes)));
}

// A name picked from the list is taken whole: it was typed before, in another clip.
bool EditorDocument::choose_name(int speaker, std::string_view name) { return store_name(speaker, name_text(name)); }

bool EditorDocument::clear_name(int speaker) { return store_name(speaker, {}); }

void EditorDocument::add_speaker() {
  if (!selected()) return;
  state_.extra_speakers = std::min(speaker_count(state_.selected_clip) + 1, speaker_count_max);
  state_.extra_speakers_clip = state_.selected_clip;
}

}  // namespace korvix
