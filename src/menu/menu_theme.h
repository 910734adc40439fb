// The menu's colours.
#pragma once

#include <imgui.h>

namespace korvix::theme {

constexpr ImU32 rgba(int r, int g, int b, int a) { return IM_COL32(r, g, b, a); }

constexpr ImU32 accent = rgba(255, 204, 0, 255);
constexpr ImU32 dim = rgba(255, 255, 255, 130);
constexpr ImU32 warning = rgba(255, 110, 90, 255);
constexpr ImU32 success = rgba(120, 230, 140, 255);
constexpr ImU32 white = rgba(255, 255, 255, 255);
constexpr ImU32 background_top = rgba(6, 10, 26, 255);
constexpr ImU32 background_bottom = rgba(16, 30, 64, 255);
constexpr ImU32 panel = rgba(8, 14, 34, 235);
constexpr ImU32 panel_edge = rgba(255, 204, 0, 170);
constexpr ImU32 selection = rgba(255, 204, 0, 48);
constexpr ImU32 progress_track = rgba(255, 204, 0, 22);
constexpr ImU32 progress_fill = rgba(255, 204, 0, 70);
constexpr ImU32 hint = rgba(255, 255, 255, 60);

}  // namespace korvix::theme
