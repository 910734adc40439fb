// The one byte test every cut of a UTF-8 text relies on, so that no cut lands
// inside a character. Plain C++, no other include: any layer may use it.
#pragma once

namespace korvix {

// 10xxxxxx: a byte that continues a character rather than starting one.
constexpr bool is_utf8_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
constexpr bool is_utf8_continuation(char byte) { return is_utf8_continuation(static_cast<unsigned char>(byte)); }

}  // namespace korvix
