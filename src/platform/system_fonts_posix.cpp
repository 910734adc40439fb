#include "platform/system_fonts.h"

namespace korvix {

std::vector<std::filesystem::path> system_fallback_fonts() {
  return {
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
      "/usr/share/fonts/TTF/DejaVuSans-Bold.ttf",
      "/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
  };
}

}  // namespace korvix
