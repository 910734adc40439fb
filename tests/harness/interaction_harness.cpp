#include "harness/interaction_harness.h"

#include <SDL3/SDL.h>
#include <gtest/gtest.h>
#include <imgui_impl_sdlrenderer3.h>

#include <cmath>

namespace korvix::test {

namespace {

constexpr float frame_seconds = 1.0f / 60.0f;

// Modifier keys held for a chord, pressed or let go.
void hold_modifiers(ImGuiIO& io, ImGuiKeyChord chord, bool down) {
  if (chord & ImGuiMod_Ctrl) io.AddKeyEvent(ImGuiMod_Ctrl, down);
  if (chord & ImGuiMod_Shift) io.AddKeyEvent(ImGuiMod_Shift, down);
  if (chord & ImGuiMod_Alt) io.AddKeyEvent(ImGuiMod_Alt, down);
}

// What get and get_in_scope give: the item, or an empty one and a failed test.
const DrawnItem& found_or_missing(const DrawnItem* item, const std::string& what) {
  static const DrawnItem missing;
  EXPECT_NE(item, nullptr) << "no widget " << what << " in the last frame";
  return item ? *item : missing;
}

}  // namespace

ImVec2 DrawnItem::centre() const {
  ImRect shown = rect;
  shown.ClipWith(clip);
  return shown.GetCenter();
}

bool DrawnItem::visible() const { return clip.Overlaps(rect) && rect.GetWidth() > 0 && rect.GetHeight() > 0; }

InteractionHarness::InteractionHarness(int width, int height, Draw draw)
    : size_(static_cast<float>(width), static_cast<float>(height)), draw_(std::move(draw)) {
  surface_ = SDL_CreateSurface(width, height, SDL_PIXELFORMAT_XRGB8888);
  renderer_ = surface_ ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
  EXPECT_NE(renderer_, nullptr) << SDL_GetError();
  context_ = ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  io.DisplaySize = size_;
  io.DeltaTime = frame_seconds;
  io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
  io.Fonts->AddFontDefault();
  if (renderer_) ImGui_ImplSDLRenderer3_Init(renderer_);
  observe_items(this);
  frame();
}

InteractionHarness::~InteractionHarness() {
  ImGui::SetCurrentContext(context_);
  observe_items(nullptr);
  if (renderer_) ImGui_ImplSDLRenderer3_Shutdown();
  ImGui::DestroyContext(context_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (surface_) SDL_DestroySurface(surface_);
}

void InteractionHarness::frame() {
  ImGuiIO& io = this->io();
  io.DisplaySize = size_;
  io.DeltaTime = frame_seconds;
  if (renderer_) ImGui_ImplSDLRenderer3_NewFrame();
  drawing_.clear();
  drawing_index_.clear();
  ImGui::NewFrame();
  draw_();
  ImGui::Render();
  if (renderer_) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    ImGui_ImplSDLRenderer3_RenderDrawData(ImGui::GetDrawData(), renderer_);
    SDL_FlushRenderer(renderer_);
  }
  items_.swap(drawing_);
}

ImGuiIO& InteractionHarness::io() {
  ImGui::SetCurrentContext(context_);
  return ImGui::GetIO();
}

void InteractionHarness::frames(int count) {
  for (int i = 0; i < count; ++i) frame();
}

void InteractionHarness::wait(double seconds) { frames(static_cast<int>(std::ceil(seconds / frame_seconds)) + 1); }

void InteractionHarness::move_to(ImVec2 at) {
  io().AddMousePosEvent(at.x, at.y);
  frame();
}

void InteractionHarness::press(ImGuiMouseButton button) {
  io().AddMouseButtonEvent(button, true);
  frame();
}

void InteractionHarness::release(ImGuiMouseButton button) {
  io().AddMouseButtonEvent(button, false);
  // Changes made after a frame's widgets were drawn (a drop, a rename) show in
  // the next frame: the widgets a test finds afterwards are those of that frame.
  frames(2);
}

void InteractionHarness::click(ImVec2 at, ImGuiMouseButton button) {
  move_to(at);
  press(button);
  release(button);
}

void InteractionHarness::double_click(ImVec2 at) {
  // Clicks close together count on: a click just before would make this a triple click.
  wait(io().MouseDoubleClickTime);
  click(at);
  press();
  release();
}

void InteractionHarness::drag(ImVec2 from, ImVec2 to, int steps) {
  move_to(from);
  press();
  for (int i = 1; i <= steps; ++i) {
    float t = static_cast<float>(i) / static_cast<float>(steps);
    move_to(ImVec2(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t));
  }
  // One more frame over the target: drop targets accept while the mouse is still down.
  frame();
  release();
}

void InteractionHarness::wheel(float vertical, float horizontal) {
  io().AddMouseWheelEvent(horizontal, vertical);
  frame();
}

void InteractionHarness::key(ImGuiKeyChord chord) {
  ImGuiIO& io = this->io();
  const ImGuiKey key = static_cast<ImGuiKey>(chord & ~ImGuiMod_Mask_);
  hold_modifiers(io, chord, true);
  io.AddKeyEvent(key, true);
  frame();
  io.AddKeyEvent(key, false);
  hold_modifiers(io, chord, false);
  frames(2);
}

void InteractionHarness::type(std::string_view utf8) {
  io().AddInputCharactersUTF8(std::string(utf8).c_str());
  frames(2);
}

void InteractionHarness::type_key(ImGuiKey key, std::string_view utf8) {
  ImGuiIO& io = this->io();
  // Trickling would hand the character to a later frame than the key.
  io.ConfigInputTrickleEventQueue = false;
  io.AddKeyEvent(key, true);
  io.AddInputCharactersUTF8(std::string(utf8).c_str());
  frame();
  io.AddKeyEvent(key, false);
  io.ConfigInputTrickleEventQueue = true;
  frames(2);
}

std::vector<const DrawnItem*> InteractionHarness::find_all(std::string_view label) const {
  std::vector<const DrawnItem*> found;
  for (const DrawnItem& item : items_) {
    if (item.label == label) found.push_back(&item);
  }
  return found;
}

const DrawnItem* InteractionHarness::find(std::string_view label) const {
  std::vector<const DrawnItem*> found = find_all(label);
  return found.empty() ? nullptr : found.front();
}

const DrawnItem* InteractionHarness::find_in_scope(std::string_view label, int pushed) const {
  for (const DrawnItem* item : find_all(label)) {
    if (item->scope == ImHashData(&pushed, sizeof pushed, item->parent_scope)) return item;
  }
  return nullptr;
}

const DrawnItem& InteractionHarness::get(std::string_view label) const {
  return found_or_missing(find(label), "\"" + std::string(label) + "\"");
}

const DrawnItem& InteractionHarness::get_in_scope(std::string_view label, int pushed) const {
  return found_or_missing(find_in_scope(label, pushed),
                          "\"" + std::string(label) + "\" under id " + std::to_string(pushed));
}

void InteractionHarness::item_added(ImGuiID id, const ImRect& rect) {
  ImGuiContext& g = *GImGui;
  ImGuiWindow* window = g.CurrentWindow;
  DrawnItem item;
  item.id = id;
  item.rect = rect;
  if (window) {
    item.clip = window->ClipRect;
    const ImVector<ImGuiID>& stack = window->IDStack;
    if (stack.Size > 0) item.scope = stack.back();
    if (stack.Size > 1) item.parent_scope = stack[stack.Size - 2];
  }
  // A widget submitted twice in one frame keeps its first place.
  if (drawing_index_.emplace(id, drawing_.size()).second) drawing_.push_back(std::move(item));
}

void InteractionHarness::item_labelled(ImGuiID id, const char* label) {
  auto found = drawing_index_.find(id);
  if (found != drawing_index_.end() && drawing_[found->second].label.empty()) drawing_[found->second].label = label;
}

}  // namespace korvix::test
