// RedrawGate: whether a frame must be rendered and presented, or would only
// show again the picture already on screen.
//
// The idle loop wakes every 50 ms; rendering and presenting an unchanged menu
// each time costs a good part of a core in some drivers, and memory in others.
// A frame is skipped when its draw data equal those of the last presented frame
// (vertices, indices, commands with their clip rectangles and textures), the
// interface library has no texture requests pending (it makes and updates its
// font atlas during rendering), and nothing forced a redraw: a window event, or
// a texture rewritten in place (see frame_changes.h).
#pragma once

#include <vector>

struct ImDrawData;

namespace korvix {

class RedrawGate {
 public:
  // The next frame is presented whatever its draw data.
  void force() { forced_ = true; }

  // True when this frame may look different from the last presented one; the
  // frame then counts as presented, so the caller renders and presents it.
  bool needs_present(const ImDrawData& data);

 private:
  bool forced_ = true;                    // nothing is on screen yet
  std::vector<unsigned char> presented_;  // the last presented frame's draw data, flattened
  std::vector<unsigned char> current_;    // kept to reuse its memory
};

// The draw data flattened into bytes: equal bytes draw the same picture, given
// the same textures.
void flatten_draw_data(const ImDrawData& data, std::vector<unsigned char>& out);

// The interface library asks its renderer back end to create, update or destroy
// a texture; only rendering does that.
bool texture_requests_pending(const ImDrawData& data);

}  // namespace korvix
