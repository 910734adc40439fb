// Word wrapping for the words field: which spaces end a row so that no row is
// wider than the field. The field shows those spaces as line breaks (the same
// number of bytes, so the cursor and the selection keep their places) and
// stores them as spaces again.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The width of a piece of text, in the same unit as the field's width.
using MeasureText = std::function<float(std::string_view)>;

// Greedy: each row takes as many words as fit; a word wider than the field
// stays on a row of its own. Line breaks in `text` count as spaces.
std::vector<size_t> soft_breaks(std::string_view text, float width, const MeasureText& measure);

// `text` with the spaces at `breaks` (and only there) as line breaks.
void apply_soft_breaks(std::string& text, const std::vector<size_t>& breaks);

}  // namespace korvix
