// Reading numbers from text the way scanf's "%u" does (blanks, then digits),
// except that a number too large for its type is refused instead of undefined.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvix {

// The blanks of the C locale: space, tab, LF, VT, FF and CR.
constexpr bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The position of the first byte at or after `pos` that is not a blank.
size_t skip_blanks(std::string_view text, size_t pos);

struct ScannedNumber {
  uint64_t value = 0;
  size_t digits = 0;       // 0: no digit at all
  bool too_large = false;  // above the maximum it was read for
};

// Skips blanks from `pos`, then reads the digits of `base` (10 or 16) that
// follow and leaves `pos` after them.
ScannedNumber scan_number(std::string_view text, size_t& pos, unsigned base, uint64_t maximum);

// "%u": at least one digit and within 32 bits; nothing otherwise.
std::optional<uint32_t> scan_u32(std::string_view text, size_t& pos);

}  // namespace korvix
