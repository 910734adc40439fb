// Drawing the title banner at the top of a menu screen.
#pragma once

#include <imgui.h>

namespace korvix {

class TitleBanner;
struct MenuLayout;

// Where the banner goes for the menu scale s: round(130 s) high, as wide as the
// shown part's aspect 1420 / 634 asks, then the layout moves down by the height
// plus 0.6 × 15 s.
struct BannerBox {
  float width;
  float height;
  float advance;
};
BannerBox banner_box(float scale);

// Draws the banner with its top left corner at `at`, or, without a banner
// texture, the title text "KORVIX VELARINE". Returns how far the layout moves down.
float draw_banner(TitleBanner* banner, ImDrawList* draw, ImFont* font, const MenuLayout& layout, ImVec2 at);

}  // namespace korvix
