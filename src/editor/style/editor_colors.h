// The editor's colours as plain packed 32-bit values, so the layouts can
// name them without the interface library: R in the low byte, then G, B and
// A in the high byte, the order the painting code hands straight to it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace korvix {

using Colour = std::uint32_t;

namespace editor_colors {

constexpr Colour rgba(int r, int g, int b, int a = 255) {
  return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16 |
         static_cast<Colour>(a) << 24;
}

constexpr Colour accent = rgba(255, 204, 0);
constexpr Colour warning = rgba(255, 80, 70);
constexpr Colour dim = rgba(255, 255, 255, 128);
constexpr Colour white = rgba(255, 255, 255);
constexpr Colour background = rgba(10, 16, 38);
constexpr Colour header_row = rgba(255, 255, 255, 14);
constexpr Colour badge_text = rgba(20, 20, 20);
constexpr Colour changed_dot = rgba(255, 140, 40);
constexpr Colour picked_words = rgba(60, 80, 140);
constexpr Colour playhead_words = rgba(255, 204, 0, 70);

// Speakers 1 to 10: white, yellow, pink, green, sky blue, orange, lavender,
// coral, mint, sand. The game uses the same order.
constexpr std::array<Colour, 10> speakers = {
    rgba(255, 255, 255), rgba(250, 232, 74),  rgba(246, 96, 240),  rgba(128, 224, 40),  rgba(96, 200, 255),
    rgba(255, 160, 60),  rgba(180, 150, 255), rgba(255, 110, 110), rgba(120, 240, 190), rgba(225, 200, 150),
};

// The colour of a speaker index, clamped into 0 to 9.
constexpr Colour speaker(int index) { return speakers[static_cast<std::size_t>(std::clamp(index, 0, 9))]; }

// The colour with its opacity replaced (0 to 255).
constexpr Colour with_alpha(Colour colour, int alpha) {
  return (colour & 0x00ffffffu) | static_cast<Colour>(std::clamp(alpha, 0, 255)) << 24;
}

}  // namespace editor_colors

}  // namespace korvix
