// A menu drawn headless, for the frame benchmarks: an ImGui context with the
// launcher's font and an installed game in a temporary folder, no renderer.
#pragma once

#include <imgui.h>

#include <filesystem>
#include <fstream>

#include "app/fonts.h"
#include "app/launcher_app.h"
#include "menu/draw_menu.h"

namespace korvix::bench {

namespace fs = std::filesystem;

// An interface context of the launcher's window size with its font, and no
// renderer: texture support is claimed so the atlas needs no upload.
inline ImFont* start_headless_context() {
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.DisplaySize = ImVec2(1280, 760);
  io.DeltaTime = 1.0f / 60.0f;
  ImFont* font = korvix::load_font(io);
  io.BackendFlags |= ImGuiBackendFlags_RendererHasTextures;
  return font;
}

struct HeadlessMenu {
  HeadlessMenu() {
    folder = fs::temp_directory_path() / "korvix-menu-bench";
    fs::create_directories(folder / "game");
    std::ofstream(folder / "korvix.exe") << "x";
    std::ofstream(folder / "game" / "default.xex") << "x";
    std::ofstream(folder / "korvix.toml") << "fullscreen = true\nvelarine_graphics = false\n";
    font = start_headless_context();
    app.install_dir = folder;
    app.interface_clock = [] { return ImGui::GetTime(); };
  }
  ~HeadlessMenu() {
    ImGui::DestroyContext();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  void frame() {
    ImGui::NewFrame();
    korvix::draw_menu(app, font);
    ImGui::Render();
  }
  fs::path folder;
  ImFont* font = nullptr;
  korvix::LauncherApp app;
};

}  // namespace korvix::bench
