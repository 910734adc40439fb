#include "subtitles/number_scan.h"

#include <limits>

namespace korvix {

namespace {

int digit_value(char c, unsigned base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

size_t skip_blanks(std::string_view text, size_t pos) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
  return pos;
}

ScannedNumber scan_number(std::string_view text, size_t& pos, unsigned base, uint64_t maximum) {
  ScannedNumber number;
  pos = skip_blanks(text, pos);
  for (; pos < text.size(); ++pos) {
    int digit = digit_value(text[pos], base);
    if (digit < 0) break;
    ++number.digits;
    // Every digit is read, so a refused number still ends where its digits end.
    if (number.too_large) continue;
    if (number.value > (maximum - static_cast<uint64_t>(digit)) / base) {
      number.too_large = true;
      number.value = 0;
      continue;
    }
    number.value = number.value * base + static_cast<uint64_t>(digit);
  }
  return number;
}

std::optional<uint32_t> scan_u32(std::string_view text, size_t& pos) {
  ScannedNumber number = scan_number(text, pos, 10, std::numeric_limits<uint32_t>::max());
  if (number.digits == 0 || number.too_large) return std::nullopt;
  return static_cast<uint32_t>(number.value);
}

}  // namespace korvix
