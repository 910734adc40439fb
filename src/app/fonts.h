// The one menu font: a bold sans of the system, loaded at 20 pixels.
#pragma once

#include <filesystem>
#include <vector>

struct ImFont;
struct ImGuiIO;

namespace korvix {

constexpr float font_pixels = 20.0f;

// Candidate files in order of preference: Bahnschrift, bold Segoe UI and bold
// Arial in WINDIR's Fonts folder ("C:\Windows" when WINDIR is unset or empty),
// then the system's own bold sans where the platform has one.
std::vector<std::filesystem::path> font_candidates();

// The first candidate that exists and loads, else the built-in font.
ImFont* load_font(ImGuiIO& io);

}  // namespace korvix
