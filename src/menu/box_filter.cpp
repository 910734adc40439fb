#include "menu/box_filter.h"

#include <algorithm>

namespace korvix {

void box_filter(const uint8_t* pixels, int width, int height, int factor, RgbaImage& out) {
  factor = std::max(1, factor);
  out.width = std::max(1, width / factor);
  out.height = std::max(1, height / factor);
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * 4);
  uint8_t* target = out.pixels.data();
  for (int oy = 0; oy < out.height; ++oy) {
    int y_end = std::min(height, (oy + 1) * factor);
    for (int ox = 0; ox < out.width; ++ox, target += 4) {
      int x_end = std::min(width, (ox + 1) * factor);
      uint32_t red = 0, green = 0, blue = 0, alpha = 0, count = 0;
      for (int y = oy * factor; y < y_end; ++y) {
        const uint8_t* p = pixels + (static_cast<size_t>(y) * width + ox * factor) * 4;
        for (int x = ox * factor; x < x_end; ++x, p += 4) {
          uint32_t a = p[3];
          red += p[0] * a;
          green += p[1] * a;
          blue += p[2] * a;
          alpha += a;
          ++count;
        }
      }
      uint32_t area = std::max<uint32_t>(1, count);  // factor squared but for a picture smaller than a block
      target[0] = static_cast<uint8_t>(alpha ? red / alpha : 0);
      target[1] = static_cast<uint8_t>(alpha ? green / alpha : 0);
      target[2] = static_cast<uint8_t>(alpha ? blue / alpha : 0);
      target[3] = static_cast<uint8_t>(alpha / area);
    }
  }
}

}  // namespace korvix
