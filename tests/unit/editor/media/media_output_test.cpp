// The media's SDL side for real: a movie picture rendered offscreen and read
// back, and a sound played through SDL's dummy audio driver.
#include <SDL3/SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "editor/media_test_support.h"
#include "ui/frame_changes.h"

namespace korvix::test {
namespace {

// A software renderer drawing into a 48 x 27 surface of its own: no window, no video driver.
struct OffscreenTarget {
  std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface{SDL_CreateSurface(48, 27, SDL_PIXELFORMAT_RGBA32),
                                                               SDL_DestroySurface};
  std::unique_ptr<SDL_Renderer, void (*)(SDL_Renderer*)> renderer{SDL_CreateSoftwareRenderer(surface.get()),
                                                                  SDL_DestroyRenderer};

  // Draws the picture over the whole target and tells whether its middle
  // pixel is the frame's colour (JPEG keeps a flat colour within a few steps).
  bool shows(const MoviePicture& picture, int frame) {
    SDL_RenderClear(renderer.get());
    SDL_RenderTexture(renderer.get(), picture.texture, nullptr, nullptr);
    SDL_RenderPresent(renderer.get());
    Uint8 seen[4] = {};
    SDL_ReadSurfacePixel(surface.get(), 24, 13, &seen[0], &seen[1], &seen[2], &seen[3]);
    const stand_in::Colour want = stand_in::frame_colour(frame);
    return std::abs(seen[0] - want.r) <= 6 && std::abs(seen[1] - want.g) <= 6 && std::abs(seen[2] - want.b) <= 6;
  }
};

using MediaPictureThreads = MediaTest;

TEST_F(MediaPictureThreads, ThePictureUnderThePlayheadIsDecodedIntoTheTextureWhenItsNumberChanges) {
  put_maker();
  const std::string source = "movies/colours fps=4 frames=6 width=48 height=27";
  open({video(source), clip_of("vo/other", {})});
  OffscreenTarget target;
  ASSERT_NE(target.renderer, nullptr) << SDL_GetError();
  EXPECT_FALSE(editor.media.movie_picture(0)) << "no movie yet";
  fetch(0);
  EXPECT_FALSE(editor.media.movie_picture(0)) << "no renderer yet";
  editor.media.attach_renderer(target.renderer.get());

  // Seeking before the first picture shows picture 0; past the end, the last.
  const struct {
    double ms;
    int frame;
  } times[] = {{-100, 0}, {300, 1}, {1000, 4}, {99999, 5}, {250, 1}};
  for (const auto& t : times) {
    take_frame_changed();
    std::optional<MoviePicture> picture = editor.media.movie_picture(t.ms);
    ASSERT_TRUE(picture) << t.ms;
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(48, 27));
    EXPECT_TRUE(target.shows(*picture, t.frame)) << t.ms;
    EXPECT_TRUE(take_frame_changed()) << t.ms << ": the new picture must be presented";
  }
  editor.media.movie_picture(260);
  EXPECT_FALSE(take_frame_changed()) << "the same frame isn't decoded again";

  // A missing or broken picture leaves the last one up.
  const fs::path frames = media_cache_paths(install, source).frames;
  fs::remove(frames / "frame_00002.jpg");
  write_bytes(frames / "frame_00003.jpg", "not a jpeg");
  for (double ms : {500.0, 750.0}) EXPECT_TRUE(target.shows(editor.media.movie_picture(ms).value(), 1)) << ms;

  // Another renderer: a new texture, the picture uploaded again. After a
  // display change too.
  OffscreenTarget other;
  editor.media.attach_renderer(other.renderer.get());
  EXPECT_TRUE(other.shows(editor.media.movie_picture(1000).value(), 4));
  fs::remove(frames / "frame_00004.jpg");
  editor.media.forget_shown_frame();
  EXPECT_TRUE(other.shows(editor.media.movie_picture(1000).value(), 4)) << "kept though it can't be read again";

  // Another clip's picture is never shown for this one.
  editor.document.select_clip(1);
  EXPECT_FALSE(editor.media.movie_picture(1000));
  editor.media.release();
  editor.document.select_clip(0);
  EXPECT_FALSE(editor.media.movie_picture(1000)) << "released";
}

using MediaPlaybackThreads = MediaTest;

TEST_F(MediaPlaybackThreads, PlaysThroughSdlsDummyDriverAndThePlayheadFollows) {
  SDL_SetHint(SDL_HINT_AUDIO_DRIVER, "dummy");
  put_maker();
  open({clip_of("vo/long ms=3000 rate=16000", {{200, 900, "hello", 0}}), clip_of("vo/short ms=300", {})});
  fetch(0);
  ASSERT_TRUE(editor.media.sound_ready()) << editor.document.status;

  editor.media.play();
  ASSERT_TRUE(editor.media.playing()) << editor.document.status;
  EXPECT_TRUE(editor.media.keeps_frames_coming());
  ASSERT_TRUE(wait_for([this] {
    editor.media.tick();
    return editor.document.playhead_ms >= 250;
  })) << "the sound didn't play on: "
      << editor.document.playhead_ms;
  EXPECT_LT(editor.document.playhead_ms, 3000);
  editor.media.pause();
  const double paused_at = editor.document.playhead_ms;
  EXPECT_FALSE(editor.media.playing());
  EXPECT_DOUBLE_EQ(editor.media.current_play_ms(), paused_at);
  editor.media.tick();
  EXPECT_DOUBLE_EQ(editor.document.playhead_ms, paused_at) << "paused, the playhead stays";

  // A scrub moves the playhead without playing; a line plays from 250 ms before it.
  editor.media.scrub_to(1234);
  EXPECT_EQ(editor.document.playhead_ms, 1234);
  EXPECT_FALSE(editor.media.playing());
  editor.media.play_from_line(0);
  EXPECT_TRUE(editor.media.playing());
  EXPECT_EQ(editor.document.picked_line, 0);
  EXPECT_LT(editor.document.playhead_ms, 100);

  // Playing to the end stops there; another clip's sound goes through the same output.
  fetch(1);
  EXPECT_FALSE(editor.media.playing()) << "selecting a clip stops playing";
  editor.media.play();
  ASSERT_TRUE(wait_for([this] {
    editor.media.tick();
    return !editor.media.playing();
  }));
  EXPECT_DOUBLE_EQ(editor.document.playhead_ms, 300);
  editor.media.release();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace
}  // namespace korvix::test
