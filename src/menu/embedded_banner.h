// The title banner animation, built into the program (embedded_banner.cpp).
#pragma once

#include <cstdint>
#include <span>

extern "C" const uint8_t korvix_title_banner_gif[];
extern "C" const uint8_t korvix_title_banner_gif_end[];

namespace korvix {

inline std::span<const uint8_t> embedded_title_banner() {
  return {korvix_title_banner_gif, korvix_title_banner_gif_end};
}

}  // namespace korvix
