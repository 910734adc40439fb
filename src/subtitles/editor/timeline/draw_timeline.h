// The editor's working area under the speakers: the timeline of the selected
// clip, the overview strip, and the preview with its splitter. Drawing and
// mouse handling only; every rule lives in the layout, hit and drag files.
#pragma once

#include "subtitles/editor/timeline/editor_seek.h"
#include "subtitles/editor/timeline/timeline_drag.h"

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
  // The timeline and the overview strip at the cursor, full width. True when
  // the clip changed (the caller's edit bookkeeping).
  bool draw_timeline(float scale);
  // The preview box and its splitter, under the overview.
  void draw_preview(float scale);

  const TimelineDrag& drag() const { return drag_; }

 private:
  EditorDocument& document_;
  EditorMedia& media_;
  MediaPlayer player_;
  TimelineDrag drag_;
  EditorSeekHook seek_;
};

}  // namespace korvix
