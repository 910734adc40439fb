// Shrinking an RGBA picture by a whole factor with an alpha-weighted box filter.
#pragma once

#include <cstdint>

#include "ui/image_decoder.h"

namespace korvix {

// Each output pixel is made from its factor × factor block of input pixels: a
// colour channel is the sum of channel times alpha over the sum of alpha (0 for
// a fully transparent block), alpha the sum of alpha over factor squared. The
// output is width / factor by height / factor, at least 1 by 1; input rows and
// columns beyond the last whole block are left out.
void box_filter(const uint8_t* pixels, int width, int height, int factor, RgbaImage& out);

}  // namespace korvix
