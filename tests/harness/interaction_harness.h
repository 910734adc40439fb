// Drives a real interface frame in-process, the way a player would: an
// interface library context rendered by the SDL renderer back end into a
// software renderer (no window, no display), mouse, wheel, keys and typed
// characters put in between frames, and every widget of the last frame
// findable by its label or id, so tests point at widgets, not at pixels.
#pragma once

#include <imgui.h>
#include <imgui_internal.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imgui_hooks/item_hooks.h"

struct SDL_Renderer;
struct SDL_Surface;

namespace korvix::test {

// A widget as the last frame drew it.
struct DrawnItem {
  ImGuiID id = 0;
  std::string label;        // as given to the widget, "##..." included
  ImRect rect;              // screen coordinates
  ImRect clip;              // what of its window was visible
  ImGuiID scope = 0;        // the id stack's top when it was drawn (its PushID)
  ImGuiID parent_scope = 0; // the entry under that

  // The middle of its visible part (its rectangle cut by its window).
  ImVec2 centre() const;
  bool visible() const;
};

class InteractionHarness final : ItemObserver {
 public:
  using Draw = std::function<void()>;

  InteractionHarness(int width, int height, Draw draw);
  ~InteractionHarness();
  InteractionHarness(const InteractionHarness&) = delete;
  InteractionHarness& operator=(const InteractionHarness&) = delete;

  // One frame with what was put in since the last one; rendered.
  void frame();
  void frames(int count);
  // Frames until the interface library's tooltip delays have passed.
  void wait(double seconds);

  // ---- Input; each runs the frames it takes to reach the interface, and one
  // more after a release, a key or typing, so what they changed is drawn.

  void move_to(ImVec2 at);
  void press(ImGuiMouseButton button = ImGuiMouseButton_Left);
  void release(ImGuiMouseButton button = ImGuiMouseButton_Left);
  void click(ImVec2 at, ImGuiMouseButton button = ImGuiMouseButton_Left);
  void double_click(ImVec2 at);
  // Press at `from`, move to `to` in steps (a frame each), release there.
  void drag(ImVec2 from, ImVec2 to, int steps = 8);
  void wheel(float vertical, float horizontal = 0);
  // A key stroke with its modifiers held, such as ImGuiMod_Ctrl | ImGuiKey_Z.
  void key(ImGuiKeyChord chord);
  // Characters as a focused text field receives them.
  void type(std::string_view utf8);
  // A key stroke that types: the key and its character in the same frame, as
  // a real keyboard delivers them.
  void type_key(ImGuiKey key, std::string_view utf8);

  // ---- The widgets of the last frame

  const DrawnItem* find(std::string_view label) const;  // the first drawn with it
  std::vector<const DrawnItem*> find_all(std::string_view label) const;
  // The widget with `label` drawn inside PushID(`pushed`).
  const DrawnItem* find_in_scope(std::string_view label, int pushed) const;
  // As find, but the test fails (and returns a safe empty item) when it's missing.
  const DrawnItem& get(std::string_view label) const;
  const DrawnItem& get_in_scope(std::string_view label, int pushed) const;

 private:
  // This harness's context made current, and its input.
  ImGuiIO& io();
  void item_added(ImGuiID id, const ImRect& rect) override;
  void item_labelled(ImGuiID id, const char* label) override;

  ImVec2 size_;
  Draw draw_;
  ImGuiContext* context_ = nullptr;
  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::vector<DrawnItem> items_;
  std::vector<DrawnItem> drawing_;
  std::unordered_map<ImGuiID, size_t> drawing_index_;
};

}  // namespace korvix::test
