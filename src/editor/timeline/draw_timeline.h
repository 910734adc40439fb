// The editor's working area under the speakers: the timeline of the selected
// clip, the overview strip, and the preview with its splitter. Drawing and
// mouse handling only; every rule lives in the layout, hit and drag files.
#pragma once

#include <optional>

#include "editor/media/movie_picture.h"
#include "editor/style/editor_sizes.h"
#include "editor/timeline/editor_seek.h"
#include "editor/timeline/timeline_drag.h"

namespace korvix {

class EditorDocument;
class EditorMedia;

// The transport of the media, as the timeline asks for it.
class MediaPlayer final : public TimelinePlayer {
 public:
  explicit MediaPlayer(EditorMedia& media) : media_(media) {}
  bool playing() const override;
  void play() override;
  void pause() override;
  void scrub_to(double ms) override;
  double last_scrub_ms() const override;

 private:
  EditorMedia& media_;
};

// What the timeline keeps between frames.
class TimelineUi {
 public:
  TimelineUi(EditorDocument& document, EditorMedia& media);
  TimelineUi(const TimelineUi&) = delete;
  TimelineUi& operator=(const TimelineUi&) = delete;

  // Once a frame before drawing: the seek hook, when the sound is ready.
  void tick();
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
  void draw_preview(const EditorSizes& sizes, float left, float top, float width);

  EditorDocument& document_;
  EditorMedia& media_;
  MediaPlayer player_;
  TimelineDrag drag_;
  EditorSeekHook seek_;
  // This frame's picture and preview height, as area_height found them.
  std::optional<MoviePicture> picture_;
  double preview_height_ = 0;
  // The view as the timeline left it, for the overview drawn under it.
  TimelineView view_;
};

}  // namespace korvix
