#include "editor/screen/editor_screen.h"

#include <algorithm>

#include "editor/document/editor_document.h"

namespace korvix {

const ClipListModel& ClipListCache::get(const EditorDocument& document, ClipFilter filter, std::string_view search,
                                        FindOptions options) {
  if (valid_ && revision_ == document.revision() && filter_ == filter && search_ == search && options_ == options) {
    return model_;
  }
  model_ = build_clip_list(document.clips(), document.groups, filter, search, options);
  ++builds_;
  valid_ = true;
  revision_ = document.revision();
  filter_ = filter;
  search_ = std::string(search);
  options_ = options;
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
