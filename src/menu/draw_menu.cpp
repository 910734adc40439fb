#include "menu/draw_menu.h"

#include <imgui.h>

#include "app/launcher_app.h"
#include "menu/banner_view.h"
#include "menu/menu_layout.h"
#include "menu/menu_theme.h"

namespace korvix {

namespace {

constexpr ImGuiWindowFlags full_window_flags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoCollapse |
    ImGuiWindowFlags_NoBackground | ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav;

}  // namespace

void draw_menu(LauncherApp& app, ImFont* font) {
  (void)app;
  ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImVec2 size = viewport->Size;
  MenuLayout layout = menu_layout(size.x, size.y);

  ImGui::SetNextWindowPos(viewport->Pos);
  ImGui::SetNextWindowSize(size);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
  ImGui::Begin("##launcher", nullptr, full_window_flags);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  ImVec2 origin = viewport->Pos;
  draw->AddRectFilledMultiColor(origin, ImVec2(origin.x + size.x, origin.y + size.y), theme::background_top,
                                theme::background_top, theme::background_bottom, theme::background_bottom);

  float y = origin.y + layout.top;
  y += draw_banner(app.banner.get(), draw, font, layout, ImVec2(origin.x + layout.left, y));

  ImGui::End();
  ImGui::PopStyleVar(2);
}

}  // namespace korvix
