// Scale factors: the menu's from the window height, the editor's from the display.
#pragma once

#include <optional>
#include <string>

namespace korvix {

// max(0.6, display height / 720).
float menu_scale(float display_height);

// The editor's own scale times the display factor c, clamped to 0.5..4.0.
// c is display scale / pixel density when both are positive, else 1, unless
// `override_text` (KORVIX_EDITOR_SCALE) is set, whose decimal value replaces it.
float editor_scale(float display_scale, float pixel_density, float editor_own_scale,
                   const std::optional<std::string>& override_text);

}  // namespace korvix
