#include "editor/timeline/editor_seek.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "editor/document/editor_document.h"
#include "editor/document/transport.h"
#include "subtitles/number_scan.h"

namespace korvix {

namespace {

constexpr double seek_playhead_share = 0.3;

// One number as scanf reads it: blanks, an optional sign, then the number.
template <typename Number>
bool scan(std::string_view text, size_t& pos, Number& value) {
  pos = skip_blanks(text, pos);
  if (pos < text.size() && text[pos] == '+') ++pos;
  auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (error != std::errc()) return false;
  pos = static_cast<size_t>(end - text.data());
  return true;
}

bool literal_comma(std::string_view text, size_t& pos) {
  if (pos >= text.size() || text[pos] != ',') return false;
  ++pos;
  return true;
}

}  // namespace

std::optional<EditorSeek> parse_editor_seek(std::string_view text) {
  EditorSeek seek;
  size_t pos = 0;
  if (!scan(text, pos, seek.playhead_ms) || !std::isfinite(seek.playhead_ms)) return std::nullopt;
  int line = -1;
  if (!literal_comma(text, pos) || !scan(text, pos, line)) return seek;
  seek.picked_line = line;
  double width = 0;
  if (!literal_comma(text, pos) || !scan(text, pos, width) || !std::isfinite(width)) return seek;
  seek.width_ms = width;
  return seek;
}

void apply_editor_seek(const EditorSeek& seek, EditorDocument& document, Transport& player) {
  double playhead = std::max(0.0, seek.playhead_ms);
  if (seek.width_ms > 0) {
    document.view_width_ms = seek.width_ms;
    document.view_start_ms = std::max(0.0, playhead - seek_playhead_share * seek.width_ms);
  }
  const SubtitleClip* clip = document.selected();
  if (clip && seek.picked_line >= 0 && static_cast<size_t>(seek.picked_line) < clip->lines.size())
    document.picked_line = seek.picked_line;
  player.scrub_to(playhead);
}

bool EditorSeekHook::run(bool sound_ready, EditorDocument& document, Transport& player) {
  if (!text_ || !sound_ready) return false;
  std::optional<EditorSeek> seek = parse_editor_seek(*text_);
  text_.reset();
  if (!seek) return false;
  apply_editor_seek(*seek, document, player);
  return true;
}

}  // namespace korvix
