#include "editor/document/transport_commands.h"

#include <algorithm>

#include "editor/document/editor_document.h"

namespace korvix {

namespace {

constexpr double picked_line_view_share = 0.2;

}  // namespace

void toggle_playing(Transport& transport) {
  if (transport.playing()) {
    transport.pause();
  } else {
    transport.play();
  }
}

void step_playhead(EditorDocument& document, Transport& transport, double ms) {
  bool was_playing = transport.playing();
  transport.pause();
  transport.scrub_to(std::max(0.0, document.playhead_ms + ms));
  if (was_playing) transport.play();
}

void pick_line(EditorDocument& document, Transport& transport, int step) {
  const SubtitleClip* clip = document.selected();
  int count = clip ? static_cast<int>(clip->lines.size()) : 0;
  if (count == 0) return;
  document.picked_line = document.picked_line < 0 ? 0 : std::clamp(document.picked_line + step, 0, count - 1);
  transport.pause();
  transport.scrub_to(clip->lines[static_cast<size_t>(document.picked_line)].start_ms);
  double width = document.view_width_ms;
  double playhead = document.playhead_ms;
  if (width > 0 && (playhead < document.view_start_ms || playhead > document.view_start_ms + width)) {
    document.view_start_ms = std::max(0.0, playhead - picked_line_view_share * width);
  }
}

}  // namespace korvix
