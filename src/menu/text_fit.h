// Fitting text into a width: word wrapping and front truncation.
//
// Measuring is passed in, so the rules can be tested without a font.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

using MeasureText = std::function<float(std::string_view)>;

// Breaks text into lines no wider than `width`: each line ends at the last blank
// that leaves a fitting part; a single word wider than `width` stays whole.
std::vector<std::string> wrap_text(std::string_view text, float width, const MeasureText& measure);

// The text itself if it fits; otherwise characters dropped from its start, with
// "..." in front, until it fits. Never splits a UTF-8 character.
std::string truncate_front(std::string_view text, float width, const MeasureText& measure);

}  // namespace korvix
