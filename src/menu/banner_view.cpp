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

SDL_Texture* banner_picture(TitleBanner* banner, const MenuLayout& layout) {
  return banner ? banner->texture_for_height(static_cast<int>(banner_box(layout.scale).height)) : nullptr;
}

float banner_advance(const MenuLayout& layout, bool has_picture) {
  return has_picture ? banner_box(layout.scale).advance : 1.15f * layout.title_size;
}

void draw_banner(const TitleBanner* banner, SDL_Texture* picture, ImDrawList* draw, ImFont* font,
                 const MenuLayout& layout, ImVec2 at) {
  if (banner && picture) {
    BannerBox box = banner_box(layout.scale);
    BannerCrop crop = banner->crop();
    draw->AddImage(ImTextureRef(static_cast<ImTextureID>(reinterpret_cast<intptr_t>(picture))), at,
                   ImVec2(at.x + box.width, at.y + box.height), ImVec2(crop.u0, crop.v0), ImVec2(crop.u1, crop.v1));
    return;
  }
  draw->AddText(font, layout.title_size, at, theme::accent, "KORVIX VELARINE");
}

}  // namespace korvix
