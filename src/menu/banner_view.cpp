#include "menu/banner_view.h"

#include <cmath>
#include <cstdint>

#include "menu/menu_layout.h"
#include "menu/menu_theme.h"
#include "menu/title_banner.h"

namespace korvix {

BannerBox banner_box(float scale) {
  float height = std::round(130.0f * scale);
  return {std::round(height * 1420.0f / 634.0f), height, height + 0.6f * 15.0f * scale};
}

float draw_banner(TitleBanner* banner, ImDrawList* draw, ImFont* font, const MenuLayout& layout, ImVec2 at) {
  BannerBox box = banner_box(layout.scale);
  if (SDL_Texture* texture = banner ? banner->texture_for_height(static_cast<int>(box.height)) : nullptr) {
    BannerCrop crop = banner->crop();
    draw->AddImage(ImTextureRef(static_cast<ImTextureID>(reinterpret_cast<intptr_t>(texture))), at,
                   ImVec2(at.x + box.width, at.y + box.height), ImVec2(crop.u0, crop.v0), ImVec2(crop.u1, crop.v1));
    return box.advance;
  }
  draw->AddText(font, layout.title_size, at, theme::accent, "KORVIX VELARINE");
  return 1.15f * layout.title_size;
}

}  // namespace korvix
