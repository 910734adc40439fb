// The transport of the selected clip's sound, as the document, the timeline
// and the keyboard use it. The media implement it with SDL's output; what
// uses it knows no SDL, and tests hand it a stand-in.
#pragma once

namespace korvix {

class Transport {
 public:
  virtual bool playing() const = 0;
  // Plays from the playhead (from 0 at the end; within the picked line when
  // looping it).
  virtual void play() = 0;
  virtual void pause() = 0;
  // Moves the playhead there and plays the 85 ms under it when there is
  // sound; while playing, playing goes on from there instead.
  virtual void scrub_to(double ms) = 0;
  virtual double last_scrub_ms() const = 0;
  // Playing goes round the picked line.
  virtual bool looping() const = 0;
  virtual void set_looping(bool looping) = 0;
  // Another clip is picked: playing stops, the position heard is kept.
  virtual void stop_playback() = 0;
  // The editor is left: playing stops and the output is closed.
  virtual void close_output() = 0;

 protected:
  ~Transport() = default;
};

}  // namespace korvix
