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
  font_ = io.Fonts->AddFontDefault();
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
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
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

// Changes made after a frame's widgets were drawn (a drop, a rename) show in
// the next frame: the widgets a test finds afterwards are those of that frame.
void InteractionHarness::settle() { frame(); }

void InteractionHarness::frames(int count) {
  for (int i = 0; i < count; ++i) frame();
}

void InteractionHarness::wait(double seconds) { frames(static_cast<int>(std::ceil(seconds / frame_seconds)) + 1); }

void InteractionHarness::move_to(ImVec2 at) {
  ImGui::SetCurrentContext(context_);
  ImGui::GetIO().AddMousePosEvent(at.x, at.y);
  frame();
}

void InteractionHarness::press(ImGuiMouseButton button) {
  ImGui::SetCurrentContext(context_);
  ImGui::GetIO().AddMouseButtonEvent(button, true);
  frame();
}

void InteractionHarness::release(ImGuiMouseButton button) {
  ImGui::SetCurrentContext(context_);
  ImGui::GetIO().AddMouseButtonEvent(button, false);
  frame();
  settle();
}

void InteractionHarness::click(ImVec2 at, ImGuiMouseButton button) {
  move_to(at);
  press(button);
  release(button);
}

void InteractionHarness::double_click(ImVec2 at) {
  // Clicks close together count on: a click just before would make this a triple click.
  wait(ImGui::GetIO().MouseDoubleClickTime);
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
  ImGui::SetCurrentContext(context_);
  ImGui::GetIO().AddMouseWheelEvent(horizontal, vertical);
  frame();
}

void InteractionHarness::key(ImGuiKeyChord chord) {
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  const ImGuiKey key = static_cast<ImGuiKey>(chord & ~ImGuiMod_Mask_);
  hold_modifiers(io, chord, true);
  io.AddKeyEvent(key, true);
  frame();
  io.AddKeyEvent(key, false);
  hold_modifiers(io, chord, false);
  frame();
  settle();
}

void InteractionHarness::type(std::string_view utf8) {
  ImGui::SetCurrentContext(context_);
  ImGui::GetIO().AddInputCharactersUTF8(std::string(utf8).c_str());
  frame();
  settle();
}

void InteractionHarness::type_key(ImGuiKey key, std::string_view utf8) {
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  // Without trickling the key and its character reach the interface in one
  // frame, as a keyboard delivers them.
  io.ConfigInputTrickleEventQueue = false;
  io.AddKeyEvent(key, true);
  io.AddInputCharactersUTF8(std::string(utf8).c_str());
  frame();
  io.AddKeyEvent(key, false);
  frame();
  io.ConfigInputTrickleEventQueue = true;
  settle();
}

void InteractionHarness::click(std::string_view label, ImGuiMouseButton button) { click(get(label).centre(), button); }

const DrawnItem* InteractionHarness::find(std::string_view label) const {
  for (const DrawnItem& item : items_) {
    if (item.label == label) return &item;
  }
  return nullptr;
}

std::vector<const DrawnItem*> InteractionHarness::find_all(std::string_view label) const {
  std::vector<const DrawnItem*> found;
  for (const DrawnItem& item : items_) {
    if (item.label == label) found.push_back(&item);
  }
  return found;
}

const DrawnItem* InteractionHarness::find_id(ImGuiID id) const {
  for (const DrawnItem& item : items_) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

const DrawnItem* InteractionHarness::find_in_scope(std::string_view label, int pushed) const {
  for (const DrawnItem& item : items_) {
    if (item.label == label && item.scope == ImHashData(&pushed, sizeof pushed, item.parent_scope)) return &item;
  }
  return nullptr;
}

const DrawnItem* InteractionHarness::find_in_scope(std::string_view label, std::string_view pushed) const {
  for (const DrawnItem& item : items_) {
    if (item.label == label && item.scope == ImHashStr(pushed.data(), pushed.size(), item.parent_scope)) return &item;
  }
  return nullptr;
}

const DrawnItem& InteractionHarness::get(std::string_view label) const {
  static const DrawnItem missing;
  const DrawnItem* item = find(label);
  EXPECT_NE(item, nullptr) << "no widget \"" << label << "\" in the last frame";
  return item ? *item : missing;
}

const DrawnItem& InteractionHarness::get_in_scope(std::string_view label, int pushed) const {
  static const DrawnItem missing;
  const DrawnItem* item = find_in_scope(label, pushed);
  EXPECT_NE(item, nullptr) << "no widget \"" << label << "\" under id " << pushed << " in the last frame";
  return item ? *item : missing;
}

uint32_t InteractionHarness::pixel(int x, int y) const {
  Uint8 r = 0, g = 0, b = 0, a = 0;
  if (surface_) SDL_ReadSurfacePixel(surface_, x, y, &r, &g, &b, &a);
  return (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | a;
}

bool InteractionHarness::save_bmp(const std::filesystem::path& file) const {
  return surface_ && SDL_SaveBMP(surface_, file.string().c_str());
}

void InteractionHarness::item_added(ImGuiID id, const ImRect& rect) {
  ImGuiContext& g = *GImGui;
  ImGuiWindow* window = g.CurrentWindow;
  DrawnItem item;
  item.id = id;
  item.rect = rect;
  if (window) {
    item.clip = window->ClipRect;
    item.window = window->Name;
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
