// Text as the editor stores it from its fields: on one line, and no longer
// than a field lets the player type.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvix {

// The longest words and speaker name a field lets the player type, in bytes.
inline constexpr size_t words_max_bytes = 1023;
inline constexpr size_t name_max_bytes = 63;

// Line feeds, tabs and carriage returns become spaces: the file holds one line.
std::string one_line(std::string_view text);
// The same, without "|", which separates the names in the file.
std::string name_text(std::string_view text);

// The longest start of `text` of at most `max_bytes` that doesn't end inside a
// UTF-8 character.
std::string_view utf8_prefix(std::string_view text, size_t max_bytes);

// What a field of `max_bytes` keeps of `typed` when it held `before`: typing
// may not grow a text past the limit, but a longer text read from the file
// stays whole (and may shrink).
std::string_view limit_typed(std::string_view before, std::string_view typed, size_t max_bytes);

}  // namespace korvix
