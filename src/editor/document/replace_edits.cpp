// Replacing found words: one match in the selected clip, or every match in
// many clips as one undo step.
#include "editor/document/editor_document.h"
#include "editor/document/typed_text.h"

namespace korvix {

bool EditorDocument::replace_match(const TextMatch& match, const TextFinder& finder, std::string_view with) {
  SubtitleClip* clip = selected_mutable();
  if (!clip || match.clip != state_.selected_clip) return false;
  SubtitleClip changed = *clip;
  switch (replace_one(changed, match, finder, with)) {
    case ReplaceOutcome::gone:
      return false;
    case ReplaceOutcome::too_long:
      status = match.in_name
                   ? "Left the name as it was: it would pass " + std::to_string(name_max_bytes) + " bytes."
                   : "Left the line as it was: the words would pass " + std::to_string(words_max_bytes) + " bytes.";
      return false;
    case ReplaceOutcome::replaced:
      break;
  }
  if (changed == *clip) return false;
  EditScope scope(*this);
  *clip = std::move(changed);
  if (!match.in_name) picked_line = match.field;
  mark_edited();
  return true;
}

ReplaceCount EditorDocument::replace_all(const std::vector<int32_t>& clips, const TextFinder& finder,
                                         std::string_view with) {
  end_edit();
  ReplaceCount total;
  EditStep step;
  step.selected = state_.selected_clip;
  state_.changed_clips.resize(state_.file.clips.size(), false);
  for (int32_t index : clips) {
    if (index < 0 || static_cast<size_t>(index) >= state_.file.clips.size()) continue;
    SubtitleClip& clip = state_.file.clips[static_cast<size_t>(index)];
    // Only a clip with a match is copied for the undo step.
    if (count_in_clip(clip, finder) == 0) continue;
    SubtitleClip before = clip;
    ReplaceCount count = replace_in_clip(clip, finder, with);
    total += count;
    if (count.replaced == 0) continue;
    clip.edited = true;
    state_.changed_clips[static_cast<size_t>(index)] = true;
    step.clips.push_back({index, std::move(before)});
  }
  if (!step.clips.empty()) {
    push_step(std::move(step));
  }
  status = replaced_message(total);
  return total;
}

}  // namespace korvix
