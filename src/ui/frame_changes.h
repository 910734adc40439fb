// Changes on screen that the interface library's draw data can't show: a
// texture's pixels rewritten in place (the title banner's frames, later the
// editor's movie picture and timeline). Whoever rewrites a texture calls
// mark_frame_changed(), so the idle main loop presents the next frame instead of
// skipping it as unchanged.
#pragma once

namespace korvix {

void mark_frame_changed();

// True when marked since the last call; the main loop asks once per frame.
bool take_frame_changed();

}  // namespace korvix
