#include "subtitles/editor/editor_screen.h"

#include <algorithm>

#include "subtitles/editor/editor_document.h"

namespace korvix {

namespace {

// A cheap summary of the groups' shape: a group added, removed, opened,
// closed or given a clip shows here. Changes that keep the shape (a clip moved
// within its group, a rename) invalidate the cache where they are made.
uint64_t groups_shape(const ClipGroups& groups) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
  mix(groups.groups.size());
  mix(groups.ungrouped_open ? 1 : 0);
  for (const ClipGroup& group : groups.groups) {
    mix(group.sources.size());
    mix(group.open ? 1 : 0);
  }
  return hash;
}

}  // namespace

bool ClipListCache::passes_as_built(const EditorDocument& document, int32_t clip) const {
  if (clip < 0 || static_cast<size_t>(clip) >= model_.matches.size()) return true;
  const SubtitleClip& c = document.clips()[static_cast<size_t>(clip)];
  return clip_matches(c, filter_, lowered_search_) == model_.matches[static_cast<size_t>(clip)];
}

bool ClipListCache::still_valid(const EditorDocument& document, ClipFilter filter, std::string_view search) const {
  const std::vector<SubtitleClip>& clips = document.clips();
  if (!valid_ || clips_ != clips.data() || clip_count_ != clips.size() || filter_ != filter || search_ != search) {
    return false;
  }
  if (groups_shape_ != groups_shape(document.groups)) return false;
  if (!model_.narrowed) return true;
  return passes_as_built(document, document.selected_clip()) && passes_as_built(document, watched_clip_);
}

const ClipListModel& ClipListCache::get(const EditorDocument& document, ClipFilter filter, std::string_view search) {
  if (!still_valid(document, filter, search)) {
    model_ = build_clip_list(document.clips(), document.groups, filter, search);
    ++builds_;
    valid_ = true;
    clips_ = document.clips().data();
    clip_count_ = document.clips().size();
    groups_shape_ = groups_shape(document.groups);
    filter_ = filter;
    search_ = std::string(search);
    lowered_search_ = ascii_lower(search);
  }
  watched_clip_ = document.selected_clip();
  return model_;
}

float stepped_text_scale(float text_scale, int direction) {
  if (direction == 0) return 1.0f;
  float scaled = direction > 0 ? text_scale * 1.1f : text_scale / 1.1f;
  return std::clamp(scaled, 0.5f, 3.0f);
}

float dragged_list_width(float list_width, float dx, float window_width) {
  if (!(window_width > 0)) return list_width;
  return std::clamp(list_width + dx / window_width, 0.12f, 0.6f);
}

void EditorScreen::forget_document() {
  list.invalidate();
  scroll_list_to_selection = false;
  scroll_list_to_group.reset();
  rename = GroupRename{};
  menu = ListMenuTarget{};
  view_changed = false;
  popup_open = false;
  close_popups = false;
}

}  // namespace korvix
