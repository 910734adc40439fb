// What the editor screen keeps between frames besides the document: the
// list's filter and search, its model, a rename under way, the right-click
// menu's row, and requests that a later frame carries out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/screen/clip_list_model.h"
#include "editor/screen/find_bar.h"

namespace korvix {

class EditorDocument;

// The list model, built again only when the document's revision moved (a
// change of the clips or the groups, another file) or the filter, the search
// or its options changed.
class ClipListCache {
 public:
  const ClipListModel& get(const EditorDocument& document, ClipFilter filter, std::string_view search,
                           FindOptions options = {});
  const ClipListModel& model() const { return model_; }
  // The next get builds the model whatever changed: benchmarks time that.
  void invalidate() { valid_ = false; }
  // How many times the model was built; tests and the benchmark read it.
  uint64_t builds() const { return builds_; }

 private:
  ClipListModel model_;
  bool valid_ = false;
  uint64_t builds_ = 0;
  uint64_t revision_ = 0;
  ClipFilter filter_ = ClipFilter::all;
  std::string search_;
  FindOptions options_;
};

// A group's name being typed in its header row.
struct GroupRename {
  int32_t group = -1;  // -1: none
  std::string name;
  bool focus = false;  // give the field the keyboard on its first frame
  bool shown = false;  // the field was drawn this frame
};

// The row whose right-click menu is open.
struct ListMenuTarget {
  int32_t group = -1;     // a group's menu, or a clip's group
  int32_t clip = -1;      // a clip's menu
  int32_t position = -1;  // the clip's entry in its group
};

// The text size after A+ (+1), A- (-1) or Ctrl+0 (0): times or divided by 1.1
// within 0.5 to 3, or back to 1.
float stepped_text_scale(float text_scale, int direction);
// The clip list's share of the window after its splitter moved by `dx` pixels.
float dragged_list_width(float list_width, float dx, float window_width);

struct EditorScreen {
  // The filter and the search stay as they are while the program runs.
  ClipFilter filter = ClipFilter::all;
  std::string search;

  ClipListCache list;
  FindBar find;
  // The list as it shows now: the filter, and the search with the find options in effect.
  const ClipListModel& list_model(const EditorDocument& document) {
    return list.get(document, filter, search, find.in_effect());
  }
  // Page Up / Page Down or a new group: scroll that row to 40 % of the list.
  bool scroll_list_to_selection = false;
  std::optional<int32_t> scroll_list_to_group;

  GroupRename rename;
  ListMenuTarget menu;

  // A splitter was dragged: editor.txt is written once the mouse is up.
  bool view_changed = false;
  // A popup (a menu, the look panel) is open: the menu's back action closes
  // it instead of leaving the editor.
  bool popup_open = false;
  bool close_popups = false;

  // Another document was opened: what belonged to the old one goes.
  void forget_document();
};

}  // namespace korvix
