// Commands that buttons and keyboard shortcuts share.
#include "editor/screen/editor_frame.h"

namespace korvix {

void change_text_scale(EditorFrame& frame, int direction) {
  EditorView& view = frame.document.view;
  float scaled = stepped_text_scale(view.text_scale, direction);
  if (scaled == view.text_scale) return;
  view.text_scale = scaled;
  frame.document.save_view();
}

}  // namespace korvix
