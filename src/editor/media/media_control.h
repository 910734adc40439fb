// What the editor's document asks of its sound output. The document knows
// no SDL: the media side implements this and the document is handed a pointer.
#pragma once

namespace korvix {

class MediaControl {
 public:
  // Another clip is picked: playing stops, the position heard is kept.
  virtual void stop_playback() = 0;
  // The editor is left: playing stops and the output is closed.
  virtual void close_output() = 0;

 protected:
  ~MediaControl() = default;
};

}  // namespace korvix
