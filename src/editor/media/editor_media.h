// The editor's sound and movie pictures: everything of the editor that holds
// SDL resources (the output stream, the picture texture) and the fetches that
// get a clip's sound and pictures from the subtitle maker.
//
// The shell reaches it through the seams below; the document, the screen
// and the keyboard through the transport; the timeline and the preview through what it shows. It works on
// the document it was made for: the selected clip, the playhead, the picked
// line and the status line are the document's.
//
// A clip's sound and pictures are fetched 0.2 s after it was selected, on a
// thread each, into the install's cache, and taken over by tick(). Only the
// selected clip's are used: sound_ready() and movie_picture() compare the
// source they were made for with the selected clip's.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/transport.h"
#include "editor/media/decoded_sound.h"
#include "editor/media/audio_output.h"
#include "editor/media/media_fetch.h"
#include "editor/media/movie_picture.h"
#include "editor/media/sound_transport.h"

struct SDL_Renderer;

namespace korvix {

class EditorDocument;

class EditorMedia final : public Transport {
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
  // Another clip is picked: playing stops, the position heard is kept.
  void stop_playback() override;
  // The editor is left: playing stops, the output stream is closed, and the
  // decoded sound and pictures are let go (a fetch under way goes on, and is
  // taken up again if the same clip is asked for).
  void close_output() override;
  // Before the renderer and SDL go: the output and the texture are destroyed,
  // and fetches wait for nothing of SDL's from here on (a decode in progress
  // is waited for).
  void release();
  // Playing or fetching: the main loop keeps drawing without idle waits.
  bool keeps_frames_coming() const;

  // ---- Each frame, before drawing: starts the due fetch, takes over finished
  // ones, and keeps the sound fed while playing (the playhead follows it).
  void tick();

  // ---- Transport
  // The selected clip's sound is here and has at least one frame.
  bool sound_ready() const;
  // A fetch of the selected clip's sound (or pictures) is under way or due.
  bool fetching_sound() const;
  bool fetching_pictures() const;
  bool playing() const override { return transport_.playing(); }
  // Without sound says "Getting the sound..." while fetching.
  void play() override;
  void pause() override;
  void scrub_to(double ms) override;
  double last_scrub_ms() const override { return last_scrub_ms_; }
  bool looping() const override { return loop_line_; }
  void set_looping(bool looping) override { loop_line_ = looping; }
  // Picks the line and plays from 250 ms before it.
  void play_from_line(int line);
  // What is being heard while playing, else the playhead.
  double current_play_ms() const;

  float speed = 1.0f;  // 0.5, 0.75 or 1; a change applies at once

  // ---- What the timeline and the preview draw

  // The selected clip's sound (peaks, samples, channels, rate, frames), or
  // null unless sound_ready().
  const DecodedSound* sound() const;
  // The selected clip's movie: its rate, frame count and picture size; null
  // when it has none (yet).
  const MovieFrames* movie() const;
  // The selected clip's movie picture at `ms`, decoded into the texture when
  // the frame number changes. Nothing without a renderer, a movie, or until a
  // picture of it could be shown.
  std::optional<MoviePicture> movie_picture(double ms);

  // ---- Fetching, as tick() starts it for the selected clip

  void request_sound(const std::string& source);
  void request_movie_frames(const std::string& source);

 private:
  std::optional<FrameSpan> loop() const;
  void feed();
  void take_finished_fetches();

  EditorDocument& document_;
  std::shared_ptr<SdlUseGate> sdl_gate_ = std::make_shared<SdlUseGate>();
  AudioOutput output_;
  SoundTransport transport_;
  MoviePictureTexture picture_;
  double last_scrub_ms_ = 0;
  bool loop_line_ = false;

  std::shared_ptr<SoundFetch> sound_fetch_;
  std::shared_ptr<FramesFetch> frames_fetch_;
  // Every fetch of this run that may still be writing into the cache, the
  // abandoned ones too: no second maker is started on the same files.
  std::vector<std::shared_ptr<SoundFetch>> sound_writers_;
  std::vector<std::shared_ptr<FramesFetch>> frames_writers_;

  std::shared_ptr<const DecodedSound> sound_;
  std::string sound_source_;
  std::shared_ptr<const MovieFrames> movie_;
  std::string movie_source_;
};

}  // namespace korvix
