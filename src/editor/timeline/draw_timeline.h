// The editor's working area under the speakers: the timeline of the selected
// clip, the overview strip, and the preview with its splitter. Each frame
// reads the mouse, runs the gestures, lays out and paints; every rule lives
// in the gesture, layout, hit and drag files.
#pragma once

#include <optional>

#include "editor/media/movie_picture.h"
#include "editor/style/editor_sizes.h"
#include "editor/timeline/editor_seek.h"
#include "editor/timeline/timeline_drag.h"
#include "editor/timeline/timeline_layout.h"

namespace korvix {

class EditorDocument;
class EditorMedia;
struct TimelineGestures;
struct TimelinePointer;

// What the timeline keeps between frames.
class TimelineUi {
 public:
  TimelineUi(EditorDocument& document, EditorMedia& media);
  TimelineUi(const TimelineUi&) = delete;
  TimelineUi& operator=(const TimelineUi&) = delete;

  // Once a frame before drawing: the seek hook, when the sound is ready.
  void tick();
  // Once a frame before the area's size is asked: the movie picture under
  // the playhead, decoded and uploaded when it changed.
  void prepare_picture();
  // The height of the whole area at this width, with `room` pixels left
  // below its top; asked once a frame, before draw_area.
  float area_height(const EditorSizes& sizes, float width, float room);
  // The timeline, the overview strip under it, then the preview box and its
  // splitter, from (left, top). True when the clip changed (the caller's edit
  // bookkeeping).
  bool draw_area(const EditorSizes& sizes, float left, float top, float width);

  const TimelineDrag& drag() const { return drag_; }

 private:
  // Each returns the bottom of what it drew.
  float draw_timeline(bool& changed, const EditorSizes& sizes, float left, float top, float width);
  float draw_overview(const EditorSizes& sizes, float left, float top, float width, double span);
  double draw_preview(const EditorSizes& sizes, float left, float top, float width);
  void draw_preview_splitter(const EditorSizes& sizes, float left, double top, float width);
  // What the timeline's layout is made from, after this frame's gestures.
  TimelineInput layout_input(const TimelinePointer& pointer, const TimelineGestures& gestures,
                             const DecodedSound* sound, const EditorSizes& sizes, const Box& whole) const;

  EditorDocument& document_;
  EditorMedia& media_;
  TimelineDrag drag_;
  EditorSeekHook seek_;
  // This frame's picture, as prepare_picture found it, and the preview's
  // height, as area_height found it.
  std::optional<MoviePicture> picture_;
  double preview_height_ = 0;
  // The view as the timeline left it, for the overview drawn under it.
  TimelineView view_;
};

}  // namespace korvix
