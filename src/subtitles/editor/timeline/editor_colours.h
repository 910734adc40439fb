// The editor's colours, packed as the interface library packs them (red in the
// low byte, alpha in the high one), so draw records pass them straight on.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace korvix::colours {

using Colour = uint32_t;

constexpr Colour rgba(int r, int g, int b, int a) {
  return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16 |
         static_cast<Colour>(a) << 24;
}
constexpr Colour with_alpha(Colour c, int a) { return (c & 0x00FFFFFFu) | static_cast<Colour>(a) << 24; }
constexpr int alpha_of(Colour c) { return static_cast<int>(c >> 24); }

constexpr Colour accent = rgba(255, 204, 0, 255);
constexpr Colour warning = rgba(255, 80, 70, 255);
constexpr Colour white = rgba(255, 255, 255, 255);
constexpr Colour black = rgba(0, 0, 0, 255);

// Speakers 1 to 10: white, yellow, pink, green, sky blue, orange, lavender,
// coral, mint, sand; the game uses the same order.
constexpr std::array<Colour, 10> speakers = {
    rgba(255, 255, 255, 255), rgba(250, 232, 74, 255), rgba(246, 96, 240, 255),  rgba(128, 224, 40, 255),
    rgba(96, 200, 255, 255),  rgba(255, 160, 60, 255), rgba(180, 150, 255, 255), rgba(255, 110, 110, 255),
    rgba(120, 240, 190, 255), rgba(225, 200, 150, 255)};

// Any index outside 0 .. 9 is clamped into it first.
constexpr Colour speaker(int index) { return speakers[static_cast<size_t>(std::clamp(index, 0, 9))]; }

}  // namespace korvix::colours
