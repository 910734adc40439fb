#include "editor/screen/screen_texts.h"

#include <cmath>
#include <cstdio>

#include "base/utf8.h"
#include "editor/media/decoded_sound.h"

namespace korvix {

namespace {

constexpr size_t source_shown_whole = 60;
constexpr size_t source_tail_bytes = 57;

// The code point starting at `text[i]` and its length; a broken sequence counts
// as one byte of its own.
std::pair<uint32_t, size_t> code_point_at(std::string_view text, size_t i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (i + length > text.size()) return {lead, 1};
  uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char c = static_cast<unsigned char>(text[i + k]);
    if (!is_utf8_continuation(c)) return {lead, 1};
    value = (value << 6) | (c & 0x3F);
  }
  return {value, length};
}

// Letters and digits: ASCII ones, and every character beyond ASCII except the
// Latin-1 signs and the general punctuation (quotes, dashes, ellipsis), which
// is what subtitles hold besides letters.
bool counts_for_reading(uint32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c >= 0x80 && c <= 0xBF) return false;
  if (c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x206F) return false;
  if (c >= 0x3000 && c <= 0x303F) return false;  // CJK punctuation
  return true;
}

// Rounded up: a line over 20 never reads "20 cps".
long long shown_cps(const SubtitleLine& line) {
  return static_cast<long long>(std::ceil(reading_speed(line).value_or(0)));
}

}  // namespace

std::string transport_time(double playhead_ms, const SubtitleClip& clip, const DecodedSound* sound) {
  double length_ms = sound ? sound->length_ms() : clip.length_ms;
  return format_time(playhead_ms, true) + " / " + format_time(length_ms, true);
}

std::string short_source(std::string_view source) {
  if (source.size() <= source_shown_whole) return std::string(source);
  size_t start = source.size() - source_tail_bytes;
  while (start < source.size() && is_utf8_continuation(source[start])) ++start;
  return "..." + std::string(source.substr(start));
}

std::string_view kind_word(ClipKind kind) {
  switch (kind) {
    case ClipKind::story:
      return "story";
    case ClipKind::video:
      return "movie";
    case ClipKind::speech:
      break;
  }
  return "speech";
}

std::string clip_count_text(size_t clips, size_t corrected) {
  return std::to_string(clips) + (clips == 1 ? " clip, " : " clips, ") + std::to_string(corrected) + " corrected";
}

std::optional<double> reading_speed(const SubtitleLine& line) {
  if (line.end_ms <= line.start_ms) return std::nullopt;
  size_t characters = 0;
  for (size_t i = 0; i < line.text.size();) {
    auto [c, length] = code_point_at(line.text, i);
    characters += counts_for_reading(c) ? 1 : 0;
    i += length;
  }
  return static_cast<double>(characters) * 1000.0 / static_cast<double>(line.end_ms - line.start_ms);
}

std::optional<std::string> fast_reading_label(const SubtitleLine& line) {
  std::optional<double> cps = reading_speed(line);
  if (!cps || *cps <= fast_reading_cps) return std::nullopt;
  return std::to_string(shown_cps(line)) + " cps";
}

std::string fast_reading_tooltip(const SubtitleLine& line) {
  return "Fast to read: " + std::to_string(shown_cps(line)) + " characters a second";
}

}  // namespace korvix
