#include "menu/log_text.h"

#include "base/utf8.h"

namespace korvix {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";
constexpr size_t tab_stop = 4;

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
size_t valid_sequence(std::string_view text) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char first = byte(0);
  if (first < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;   // no overlong forms
    if (first == 0xED) high = 0x9F;  // no surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < 2 || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (text.size() <= i || !is_utf8_continuation(byte(i))) return 0;
  return length;
}

// How many bytes one U+FFFD stands for: a lead byte and the continuation bytes
// that could still have completed it.
size_t invalid_part(std::string_view text) {
  unsigned char first = static_cast<unsigned char>(text[0]);
  size_t expected = first >= 0xF0 && first <= 0xF4 ? 4 : first >= 0xE0 && first <= 0xEF ? 3
                    : first >= 0xC2 && first <= 0xDF ? 2 : 1;
  size_t length = 1;
  while (length < expected && length < text.size()) {
    // A longer prefix of a valid sequence would be one too.
    std::string_view probe = text.substr(0, length + 1);
    unsigned char next = static_cast<unsigned char>(probe.back());
    if (!is_utf8_continuation(next)) break;
    if (length == 1) {
      if ((first == 0xE0 && next < 0xA0) || (first == 0xED && next > 0x9F) || (first == 0xF0 && next < 0x90) ||
          (first == 0xF4 && next > 0x8F))
        break;
    }
    ++length;
  }
  return length;
}

}  // namespace

std::string displayable_text(std::string_view bytes, bool for_clipboard) {
  std::string text;
  text.reserve(bytes.size());
  size_t column = 0;  // in characters, for tab stops
  size_t at = 0;
  while (at < bytes.size()) {
    size_t length = valid_sequence(bytes.substr(at));
    if (length == 0) {
      text.append(replacement);
      ++column;
      at += invalid_part(bytes.substr(at));
      continue;
    }
    char c = bytes[at];
    if (length == 1 && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)) {
      if (c == '\t' && for_clipboard) {
        text.push_back(c);
      } else if (c == '\t') {
        size_t spaces = tab_stop - column % tab_stop;
        text.append(spaces, ' ');
        column += spaces;
        ++at;
        continue;
      } else if ((c == '\n' || c == '\r') && for_clipboard) {
        text.push_back(c);
        column = 0;
        ++at;
        continue;
      } else {
        text.append(replacement);
      }
    } else {
      text.append(bytes.substr(at, length));
    }
    ++column;
    at += length;
  }
  return text;
}

}  // namespace korvix
