// The editor's sound and movie pictures: everything of the editor that holds
// SDL resources (the output stream, the picture texture) and the fetches that
// get a clip's sound and pictures from the subtitle maker.
//
// The shell reaches it through the seams below; the screen through the
// transport. It works on the document it was made for: the selected clip, the
// playhead, the picked line and the status line are the document's.
#pragma once

#include "subtitles/editor/media_control.h"

struct SDL_Renderer;

namespace korvix {

class EditorDocument;

class EditorMedia final : public MediaControl {
 public:
  explicit EditorMedia(EditorDocument& document);
  ~EditorMedia();
  EditorMedia(const EditorMedia&) = delete;
  EditorMedia& operator=(const EditorMedia&) = delete;

  // ---- Seams to the shell

  // The renderer the picture texture belongs to; null when it goes.
  void attach_renderer(SDL_Renderer* renderer);
  // The window's display changed: the shown picture is uploaded again.
  void forget_shown_frame();
  void stop_playback() override;
  void close_output() override;
  // Before the renderer and SDL go: the output, the texture and any fetch's
  // use of SDL end here.
  void release();
  // Playing or fetching: the main loop keeps drawing without idle waits.
  bool keeps_frames_coming() const;

  // ---- Each frame, before drawing: starts the due fetch, takes over finished ones.
  void tick();

  // ---- Transport
  bool sound_ready() const;
  bool fetching_sound() const;
  bool fetching_pictures() const;
  bool playing() const { return playing_; }
  void play();
  void pause();
  // Moves the playhead there and, with sound, plays the 85 ms under it.
  void scrub_to(double ms);
  // Picks the line and plays from 250 ms before it.
  void play_from_line(int line);
  double current_play_ms() const;

  float speed = 1.0f;  // 0.5, 0.75 or 1
  bool loop_line = false;

 private:
  EditorDocument& document_;
  SDL_Renderer* renderer_ = nullptr;
  int shown_frame_ = -1;
  bool playing_ = false;
  double last_scrub_ms_ = 0;
};

}  // namespace korvix
