#include "editor/screen/editor_screen.h"

#include <algorithm>

#include "base/fnv1a.h"
#include "editor/document/editor_document.h"

namespace korvix {

namespace {

// A cheap summary of the groups' shape: a group added, removed, opened,
// closed or given a clip shows here. Changes that keep the shape (a clip moved
// within its group, a rename) invalidate the cache where they are made.
uint64_t groups_shape(const ClipGroups& groups) {
  Fnv1a hash;
  hash.add(groups.groups.size()).add(groups.ungrouped_open ? 1u : 0u);
  for (const ClipGroup& group : groups.groups) hash.add(group.sources.size()).add(group.open ? 1u : 0u);
  return hash.value();
}

}  // namespace

bool ClipListCache::follow(const EditorDocument& document, int32_t clip) {
  if (clip < 0 || static_cast<size_t>(clip) >= model_.matches.size()) return true;
  const size_t index = static_cast<size_t>(clip);
  ClipSearch now = search_clip(document.clips()[index], filter_, finder_);
  if (now.listed != model_.matches[index]) return false;
  uint32_t& before = model_.match_counts[index];
  model_.match_total = model_.match_total - before + now.matches;
  model_.clips_with_matches = model_.clips_with_matches - (before > 0 ? 1 : 0) + (now.matches > 0 ? 1 : 0);
  before = now.matches;
  return true;
}

bool ClipListCache::still_valid(const EditorDocument& document, ClipFilter filter, std::string_view search,
                                FindOptions options) const {
  const std::vector<SubtitleClip>& clips = document.clips();
  return valid_ && clips_ == clips.data() && clip_count_ == clips.size() && filter_ == filter && search_ == search &&
         options_ == options && bulk_changes_ == document.bulk_changes() &&
         groups_shape_ == groups_shape(document.groups);
}

const ClipListModel& ClipListCache::get(const EditorDocument& document, ClipFilter filter, std::string_view search,
                                        FindOptions options) {
  if (!still_valid(document, filter, search, options) || !follow(document, document.selected_clip()) ||
      !follow(document, watched_clip_)) {
    finder_ = TextFinder(search, options);
    model_ = build_clip_list(document.clips(), document.groups, filter, search, options);
    ++builds_;
    valid_ = true;
    clips_ = document.clips().data();
    clip_count_ = document.clips().size();
    groups_shape_ = groups_shape(document.groups);
    bulk_changes_ = document.bulk_changes();
    filter_ = filter;
    search_ = std::string(search);
    options_ = options;
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
  find.current.reset();
  find.scroll_to_match = false;
  view_changed = false;
  popup_open = false;
  close_popups = false;
}

}  // namespace korvix
