// An interface library context without window or renderer, for tests that
// build real frames: the built-in font, a display size, and texture requests
// answered the way a renderer back end would.
#pragma once

#include <imgui.h>

namespace korvix::test {

class HeadlessImGui {
 public:
  HeadlessImGui(float width, float height) : context_(ImGui::CreateContext()) {
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.DisplaySize = ImVec2(width, height);
    io.DeltaTime = 1.0f / 20.0f;
    io.BackendFlags |= ImGuiBackendFlags_RendererHasTextures;
    font_ = io.Fonts->AddFontDefault();
  }
  ~HeadlessImGui() { ImGui::DestroyContext(context_); }
  HeadlessImGui(const HeadlessImGui&) = delete;
  HeadlessImGui& operator=(const HeadlessImGui&) = delete;

  ImFont* font() const { return font_; }

  // Creates, updates and destroys the textures the library asked for.
  static void serve_texture_requests() {
    for (ImTextureData* texture : ImGui::GetPlatformIO().Textures) {
      if (texture->Status == ImTextureStatus_WantCreate || texture->Status == ImTextureStatus_WantUpdates) {
        texture->SetTexID(static_cast<ImTextureID>(texture->UniqueID) + 1);
        texture->SetStatus(ImTextureStatus_OK);
      } else if (texture->Status == ImTextureStatus_WantDestroy) {
        texture->SetTexID(ImTextureID_Invalid);
        texture->SetStatus(ImTextureStatus_Destroyed);
      }
    }
  }

 private:
  ImGuiContext* context_;
  ImFont* font_;
};

}  // namespace korvix::test
