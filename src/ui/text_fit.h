// Fitting text into a width: word wrapping and front truncation.
//
// Measuring is passed in, so the rules can be tested without a font. It must
// grow with the text: a longer prefix or suffix is never narrower. Fitting
// searches the cut point with a few measurements of the part that shows, so a
// text of any length (a branch name, a value from a file, a reply) costs about
// as much as one that fills the line.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

using MeasureText = std::function<float(std::string_view)>;

// No fitted line holds more bytes than this. A line of the menu shows about 230
// characters at most (860 points of width over the narrowest glyph of the
// smallest text); the layout never needs more.
inline constexpr size_t fitted_bytes_limit = 1024;

// wrap_text gives at most this many lines: the status area of any window has
// room for 35.
inline constexpr size_t wrapped_lines_limit = 40;

// Breaks text into lines no wider than `width`: each line ends at the last blank
// that leaves a fitting part. A single word wider than `width` stays alone on its
// line, which holds the part of it that shows (its first characters up to and
// including the one the width cuts); the rest of the word is skipped.
std::vector<std::string> wrap_text(std::string_view text, float width, const MeasureText& measure);

// The text itself if it fits; otherwise characters dropped from its start, with
// "..." in front, until it fits. Never splits a UTF-8 character.
std::string truncate_front(std::string_view text, float width, const MeasureText& measure);

// The same from the other end, for values whose start matters most (a log's
// size and ending): the text itself if it fits; otherwise characters dropped
// from its end, with "..." after it, until it fits.
std::string truncate_back(std::string_view text, float width, const MeasureText& measure);

// The start of `text` that shows when it is drawn clipped to `width`: every
// character that begins inside the width, the last possibly cut by the clip.
// Never splits a UTF-8 character.
std::string_view visible_part(std::string_view text, float width, const MeasureText& measure);

// What of a text any menu frame can show, for copying a text of any length into
// a frame: all of a short text; of a longer one its start, as much as the status
// area's wrapped lines can show, followed by its end, as much as a row value
// shown by its end can. Never splits a UTF-8 character.
std::string screenful(std::string_view text);

}  // namespace korvix
