#include "ui/scale.h"

#include <algorithm>
#include <cstdlib>

namespace korvix {

float menu_scale(float display_height) { return std::max(0.6f, display_height / 720.0f); }

float editor_scale(float display_scale, float pixel_density, float editor_own_scale,
                   const std::optional<std::string>& override_text) {
  float c = 1.0f;
  if (display_scale > 0.0f && pixel_density > 0.0f) c = display_scale / pixel_density;
  if (override_text) c = static_cast<float>(std::strtod(override_text->c_str(), nullptr));
  return std::clamp(editor_own_scale * c, 0.5f, 4.0f);
}

}  // namespace korvix
