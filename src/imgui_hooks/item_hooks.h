// Every widget the interface library adds, told to an observer, so tests can
// find widgets by their label or id instead of by pixels. The library calls
// these hooks only for a context that has an observer: the launcher never
// sets one and pays one flag test per widget.
#pragma once

#include <imgui.h>

struct ImRect;

namespace korvix {

class ItemObserver {
 public:
  // A widget with its id and rectangle (screen coordinates), in the order drawn.
  virtual void item_added(ImGuiID id, const ImRect& rect) = 0;
  // Its label as given to the widget ("##..." and "###..." included), right
  // after it was added.
  virtual void item_labelled(ImGuiID id, const char* label) = 0;

 protected:
  ~ItemObserver() = default;
};

// Observes the current context's widgets; null stops. One observer at a time.
void observe_items(ItemObserver* observer);

}  // namespace korvix
