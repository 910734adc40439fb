// Drawing the title banner at the top of a menu screen.
#pragma once

#include <imgui.h>

struct SDL_Texture;

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

// The banner's picture for this frame, its animation advanced; null when there
// is none, and the title text "KORVIX VELARINE" stands in its place.
SDL_Texture* banner_picture(TitleBanner* banner, const MenuLayout& layout);

// How far the banner, or the title text without a picture, moves the layout down.
float banner_advance(const MenuLayout& layout, bool has_picture);

// Draws the picture with its top left corner at `at`, or the title text.
void draw_banner(const TitleBanner* banner, SDL_Texture* picture, ImDrawList* draw, ImFont* font,
                 const MenuLayout& layout, ImVec2 at);

}  // namespace korvix
