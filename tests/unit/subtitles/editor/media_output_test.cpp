// The media's SDL side for real: a movie picture rendered offscreen and read
// back, and a sound played through SDL's dummy audio driver.
#include <SDL3/SDL.h>
#include <gtest/gtest.h>

#include "app/frame_changes.h"
#include "media_test_support.h"

namespace korvix::test {
namespace {

// A software renderer drawing into a surface of its own: no window, no video driver.
class OffscreenTarget {
 public:
  OffscreenTarget(int width, int height)
      : surface_(SDL_CreateSurface(width, height, SDL_PIXELFORMAT_RGBA32)),
        renderer_(surface_ ? SDL_CreateSoftwareRenderer(surface_) : nullptr) {}
  ~OffscreenTarget() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_DestroySurface(surface_);
  }
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;

  SDL_Renderer* renderer() const { return renderer_; }

  // Draws the picture over the whole target and reads back its middle pixel.
  stand_in::Colour draw(const MoviePicture& picture) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderTexture(renderer_, picture.texture, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_ReadSurfacePixel(surface_, surface_->w / 2, surface_->h / 2, &r, &g, &b, &a);
    return {r, g, b};
  }

 private:
  SDL_Surface* surface_;
  SDL_Renderer* renderer_;
};

// JPEG keeps a flat colour within a few steps.
::testing::AssertionResult looks_like(stand_in::Colour seen, int frame) {
  stand_in::Colour want = stand_in::frame_colour(frame);
  if (std::abs(seen.r - want.r) <= 6 && std::abs(seen.g - want.g) <= 6 && std::abs(seen.b - want.b) <= 6) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << int(seen.r) << ", " << int(seen.g) << ", " << int(seen.b)
                                       << ") is not frame " << frame << "'s (" << int(want.r) << ", " << int(want.g)
                                       << ", " << int(want.b) << ")";
}

using MediaPictureThreads = MediaTest;

TEST_F(MediaPictureThreads, ThePictureUnderThePlayheadIsDecodedIntoTheTextureWhenItsNumberChanges) {
  put_maker(install_maker());
  const std::string source = "movies/colours fps=4 frames=6 width=48 height=27";
  open({video(source), clip_of("vo/other", {})});
  OffscreenTarget target(48, 27);
  ASSERT_NE(target.renderer(), nullptr) << SDL_GetError();
  EXPECT_FALSE(editor.media.movie_picture(0)) << "no movie yet";
  fetch(0);
  EXPECT_FALSE(editor.media.movie_picture(0)) << "no renderer yet";
  editor.media.attach_renderer(target.renderer());

  // Seeking before the first picture shows picture 0; past the end, the last.
  const struct {
    double ms;
    int frame;
  } times[] = {{-100, 0}, {300, 1}, {1000, 4}, {99999, 5}, {250, 1}};
  for (const auto& t : times) {
    take_frame_changed();
    std::optional<MoviePicture> picture = editor.media.movie_picture(t.ms);
    ASSERT_TRUE(picture) << t.ms;
    EXPECT_EQ(picture->width, 48);
    EXPECT_EQ(picture->height, 27);
    EXPECT_TRUE(looks_like(target.draw(*picture), t.frame)) << t.ms;
    EXPECT_TRUE(take_frame_changed()) << t.ms << ": the new picture must be presented";
  }
  editor.media.movie_picture(260);
  EXPECT_FALSE(take_frame_changed()) << "the same frame isn't decoded again";

  // A missing or broken picture leaves the last one up.
  const fs::path frames = media_cache_paths(install, source).frames;
  fs::remove(frames / "frame_00002.jpg");
  write_bytes(frames / "frame_00003.jpg", "not a jpeg");
  for (double ms : {500.0, 750.0}) {
    std::optional<MoviePicture> picture = editor.media.movie_picture(ms);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(looks_like(target.draw(*picture), 1)) << ms;
  }

  // Another renderer: a new texture, the picture uploaded again. After a
  // display change too.
  OffscreenTarget other(48, 27);
  editor.media.attach_renderer(other.renderer());
  EXPECT_TRUE(looks_like(other.draw(*editor.media.movie_picture(1000)), 4));
  fs::remove(frames / "frame_00004.jpg");
  editor.media.forget_shown_frame();
  EXPECT_TRUE(looks_like(other.draw(*editor.media.movie_picture(1000)), 4)) << "kept though it can't be read again";

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
  put_maker(install_maker());
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
