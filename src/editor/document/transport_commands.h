// What the transport buttons and keys do to the document and its sound.
#pragma once

#include "editor/document/transport.h"

namespace korvix {

class EditorDocument;

// Play, or pause while playing.
void toggle_playing(Transport& transport);

// Left / Right: pause, move the playhead by `ms` (never before 0), hear it
// there, and play on if it played.
void step_playhead(EditorDocument& document, Transport& transport, double ms);

// Up / Down: the line `step` before or after the picked one, or the first when
// none is; playing pauses and the playhead goes to its start, and a zoomed-in
// view that lost the playhead shows it at a fifth of its width.
void pick_line(EditorDocument& document, Transport& transport, int step);

// Playing restarts where it is, for a new speed or loop.
template <typename Change>
void restart_playing_after(Transport& transport, Change change) {
  bool was_playing = transport.playing();
  if (was_playing) transport.pause();
  change();
  if (was_playing) transport.play();
}

}  // namespace korvix
