// The editor's sizes from its scale: every length is given in pixels at
// scale 1 and multiplied; s is the row unit and the text size.
#pragma once

namespace korvix {

inline constexpr float row_unit_px = 17.0f;  // s at scale 1

struct EditorSizes {
  float scale = 1.0f;
  float s = row_unit_px;

  float px(float at_scale_1) const { return at_scale_1 * scale; }
};

constexpr EditorSizes editor_sizes(float scale) { return EditorSizes{scale, row_unit_px * scale}; }

}  // namespace korvix
