#include "platform/command_line.h"

#include <cstddef>
#include <cstdint>

#include "base/utf8.h"

namespace korvix {

namespace {

constexpr wchar_t replacement_character = 0xFFFD;

// Decodes the sequence at `at`; returns its length, or 0 when it isn't valid UTF-8
// (bad lead or continuation byte, overlong form, surrogate, or beyond U+10FFFF).
size_t decode_utf8(const std::string& text, size_t at, uint32_t& code_point) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  uint8_t lead = byte(at);
  size_t length = lead < 0x80             ? 1
                  : (lead & 0xE0) == 0xC0 ? 2
                  : (lead & 0xF0) == 0xE0 ? 3
                  : (lead & 0xF8) == 0xF0 ? 4
                                          : 0;
  if (length == 0 || at + length > text.size()) return 0;
  if (length == 1) {
    code_point = lead;
    return 1;
  }
  code_point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if (!is_utf8_continuation(byte(at + i))) return 0;
    code_point = (code_point << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code_point < smallest[length] || code_point > 0x10FFFF) return 0;
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return 0;
  return length;
}

}  // namespace

std::string powershell_single_quoted(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size(); ++at) {
    // U+2018 to U+201B are E2 80 98 to E2 80 9B in UTF-8.
    bool typographic = utf8.substr(at, 2) == "\xE2\x80" && at + 2 < utf8.size() &&
                       static_cast<uint8_t>(utf8[at + 2]) >= 0x98 && static_cast<uint8_t>(utf8[at + 2]) <= 0x9B;
    if (typographic) {
      std::string_view quote = utf8.substr(at, 3);
      out.append(quote).append(quote);
      at += 2;
    } else {
      out.push_back(utf8[at]);
      if (utf8[at] == '\'') out.push_back('\'');
    }
  }
  return out;
}

std::wstring utf8_to_utf16(const std::string& utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    uint32_t code_point = 0;
    size_t length = decode_utf8(utf8, at, code_point);
    if (length == 0) {
      out.push_back(replacement_character);
      ++at;
      continue;
    }
    at += length;
    if (code_point < 0x10000) {
      out.push_back(static_cast<wchar_t>(code_point));
    } else {
      code_point -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
    }
  }
  return out;
}

std::wstring quote_command_line(const std::vector<std::string>& args) {
  std::wstring line;
  for (size_t index = 0; index < args.size(); ++index) {
    if (index > 0) line.push_back(L' ');
    line.push_back(L'"');
    size_t backslashes = 0;
    for (wchar_t c : utf8_to_utf16(args[index])) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      // Backslashes right before a quote escape it, so they are doubled and the
      // quote gets one of its own.
      line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
      backslashes = 0;
      line.push_back(c);
    }
    // Doubled before the closing quote, so that it stays a quote.
    line.append(2 * backslashes, L'\\');
    line.push_back(L'"');
  }
  return line;
}

}  // namespace korvix
