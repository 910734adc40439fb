#include "menu/title_banner.h"

#include <SDL3/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "menu/banner_view.h"
#include "menu/box_filter.h"
#include "menu/embedded_banner.h"
#include "ui/frame_changes.h"
#include "ui/image_decoder.h"

namespace korvix {
namespace {

// --- A small GIF writer: full-frame images in one of four colours ---------------

struct TestFrame {
  uint8_t colour;     // palette index: 0 black, 1 red, 2 green, 3 blue
  uint16_t delay_cs;  // hundredths of a second, as GIF stores them
};

void put16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value & 0xff));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

// LZW with 3-bit codes: a clear code before every two pixels keeps the code size
// from growing, so the data is just the pixels.
std::vector<uint8_t> lzw_pixels(int count, uint8_t colour) {
  constexpr int clear = 4, end = 5;
  std::vector<int> codes;
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) codes.push_back(clear);
    codes.push_back(colour);
  }
  codes.push_back(end);
  std::vector<uint8_t> bytes;
  uint32_t bits = 0;
  int used = 0;
  for (int code : codes) {
    bits |= static_cast<uint32_t>(code) << used;
    used += 3;
    while (used >= 8) {
      bytes.push_back(static_cast<uint8_t>(bits & 0xff));
      bits >>= 8;
      used -= 8;
    }
  }
  if (used > 0) bytes.push_back(static_cast<uint8_t>(bits));
  return bytes;
}

std::vector<uint8_t> make_gif(int width, int height, const std::vector<TestFrame>& frames) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  put16(out, width);
  put16(out, height);
  out.insert(out.end(), {0x91, 0, 0});  // global table of 4 colours
  out.insert(out.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
  for (const TestFrame& frame : frames) {
    out.insert(out.end(), {0x21, 0xf9, 4, 0x04});  // graphic control: dispose none
    put16(out, frame.delay_cs);
    out.insert(out.end(), {0, 0});
    out.push_back(0x2c);
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    out.push_back(0);
    out.push_back(2);  // LZW minimum code size
    std::vector<uint8_t> data = lzw_pixels(width * height, frame.colour);
    for (size_t at = 0; at < data.size(); at += 255) {
      size_t n = std::min<size_t>(255, data.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), data.begin() + at, data.begin() + at + n);
    }
    out.push_back(0);
  }
  out.push_back(0x3b);
  return out;
}

// --- SDL's software renderer on a surface: textures without a window ----------

class SoftwareRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    surface_ = SDL_CreateSurface(64, 64, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface_, nullptr) << SDL_GetError();
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    ASSERT_NE(renderer_, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_DestroySurface(surface_);
  }

  std::unique_ptr<TitleBanner> banner(std::span<const uint8_t> gif) {
    BannerStart start;
    start.decoder = std::make_unique<GifDecoder>(gif);
    return banner(std::move(start));
  }
  std::unique_ptr<TitleBanner> banner(BannerStart start) {
    return TitleBanner::create(renderer_, std::move(start), [this] { return now_; });
  }

  // The colour the texture shows, drawn over the whole target.
  std::array<uint8_t, 3> shown(SDL_Texture* texture) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderTexture(renderer_, texture, nullptr, nullptr);
    SDL_Surface* pixels = SDL_RenderReadPixels(renderer_, nullptr);
    EXPECT_NE(pixels, nullptr) << SDL_GetError();
    std::array<uint8_t, 3> rgb{};
    if (pixels) {
      SDL_ReadSurfacePixel(pixels, 32, 32, &rgb[0], &rgb[1], &rgb[2], nullptr);
      SDL_DestroySurface(pixels);
    }
    return rgb;
  }

  static std::pair<float, float> size_of(SDL_Texture* texture) {
    float w = 0, h = 0;
    SDL_GetTextureSize(texture, &w, &h);
    return {w, h};
  }

  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  uint64_t now_ = 1000;
};

constexpr std::array<uint8_t, 3> red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};

// --- Factor and placement --------------------------------------------------------

TEST(BannerFactor, ShrinksByWholeStepsWithinOneToEight) {
  EXPECT_EQ(banner_factor(137), 4);  // the start window, 760 high
  EXPECT_EQ(banner_factor(80), 7);
  EXPECT_EQ(banner_factor(79), 8);
  EXPECT_EQ(banner_factor(20), 8);
  EXPECT_EQ(banner_factor(0), 8);
  EXPECT_EQ(banner_factor(633), 1);
  EXPECT_EQ(banner_factor(634), 1);
  EXPECT_EQ(banner_factor(5000), 1);
}

TEST(BannerBox, TheStartWindowShows137By307) {
  BannerBox box = banner_box(760.0f / 720.0f);
  EXPECT_FLOAT_EQ(box.height, 137);
  EXPECT_FLOAT_EQ(box.width, 307);
  EXPECT_NEAR(box.advance, 137 + 9.5, 1e-3);
}

TEST(PlayedDelay, DelaysBelow11MsCountAs100) {
  EXPECT_EQ(played_delay_ms(0), 100);
  EXPECT_EQ(played_delay_ms(10), 100);
  EXPECT_EQ(played_delay_ms(11), 11);
  EXPECT_EQ(played_delay_ms(2080), 2080);
}

// --- Box filter ----------------------------------------------------------------

TEST(BoxFilter, WeighsColoursByAlpha) {
  // One 2 × 2 block: opaque red, a third-opaque blue, and two invisible greens.
  const std::vector<uint8_t> block = {255, 0,   0, 255, 0, 0,   255, 85,  //
                                      0,   255, 0, 0,   0, 255, 0,   0};
  RgbaImage out;
  box_filter(block.data(), 2, 2, 2, out);
  ASSERT_EQ(out.width, 1);
  ASSERT_EQ(out.height, 1);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{255 * 255 / 340, 0, 255 * 85 / 340, 340 / 4}));
}

TEST(BoxFilter, FullyTransparentBlocksGiveZero) {
  std::vector<uint8_t> picture(4 * 4 * 4, 200);
  for (size_t i = 3; i < picture.size(); i += 4) picture[i] = 0;
  RgbaImage out;
  box_filter(picture.data(), 4, 4, 2, out);
  EXPECT_EQ(out.pixels, std::vector<uint8_t>(2 * 2 * 4, 0));
}

TEST(BoxFilter, KeepsBlocksApartAndLeavesOutPartialOnes) {
  // 5 × 3 at factor 2: two blocks across, one down; the last column and row fall away.
  std::vector<uint8_t> picture(5 * 3 * 4, 0);
  auto set = [&](int x, int y, std::array<uint8_t, 4> rgba) {
    std::copy(rgba.begin(), rgba.end(), picture.begin() + (y * 5 + x) * 4);
  };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      set(x, y, x < 2 ? std::array<uint8_t, 4>{10, 20, 30, 255} : std::array<uint8_t, 4>{0, 0, 0, 255});
  set(4, 0, {255, 255, 255, 255});  // beyond the last whole block
  set(0, 2, {255, 255, 255, 255});
  RgbaImage out;
  box_filter(picture.data(), 5, 3, 2, out);
  ASSERT_EQ(out.width, 2);
  ASSERT_EQ(out.height, 1);
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{10, 20, 30, 255, 0, 0, 0, 255}));
}

// --- Decoder and the built-in animation ------------------------------------------

TEST(GifDecoder, PlaysTheFramesOfAFileThenEnds) {
  std::vector<uint8_t> gif = make_gif(3, 2, {{1, 5}, {3, 0}});
  GifDecoder decoder(gif);
  ASSERT_TRUE(decoder.is_gif());
  EXPECT_EQ(decoder.pixels(), nullptr);
  ASSERT_EQ(decoder.next_frame(), GifDecoder::Step::frame);
  EXPECT_EQ(decoder.width(), 3);
  EXPECT_EQ(decoder.height(), 2);
  EXPECT_EQ(decoder.delay_ms(), 50);
  EXPECT_EQ(std::vector<uint8_t>(decoder.pixels(), decoder.pixels() + 4), (std::vector<uint8_t>{255, 0, 0, 255}));
  ASSERT_EQ(decoder.next_frame(), GifDecoder::Step::frame);
  EXPECT_EQ(decoder.delay_ms(), 0);
  EXPECT_EQ(std::vector<uint8_t>(decoder.pixels() + 20, decoder.pixels() + 24), (std::vector<uint8_t>{0, 0, 255, 255}));
  EXPECT_EQ(decoder.next_frame(), GifDecoder::Step::end);
  EXPECT_EQ(decoder.next_frame(), GifDecoder::Step::end);
}

TEST(GifDecoder, TheBuiltInAnimationIsTheTitleBanner) {
  GifDecoder decoder(embedded_title_banner());
  ASSERT_TRUE(decoder.is_gif());
  std::vector<int> delays;
  auto alpha_at = [&](int x, int y) { return decoder.pixels()[(y * 1482 + x) * 4 + 3]; };
  while (decoder.next_frame() == GifDecoder::Step::frame) {
    ASSERT_EQ(decoder.width(), 1482);
    ASSERT_EQ(decoder.height(), 682);
    if (delays.empty()) {
      EXPECT_EQ(alpha_at(0, 0), 0) << "the menu shows through around the letters";
    }
    delays.push_back(decoder.delay_ms());
  }
  EXPECT_EQ(alpha_at(0, 0), 0);
  EXPECT_EQ(alpha_at(747, 420), 255);  // the diamond in the middle of the rule
  EXPECT_EQ(delays.size(), 84u);
  EXPECT_EQ(std::count(delays.begin(), delays.end(), 2080), 1);
  EXPECT_EQ(std::count(delays.begin(), delays.end(), 80) + std::count(delays.begin(), delays.end(), 90), 83);
  int total = std::accumulate(delays.begin(), delays.end(), 0);
  EXPECT_GT(total, 8500);
  EXPECT_LT(total, 9500);
}

TEST(DecodeImage, RejectsWhatIsNoPicture) {
  RgbaImage image;
  const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  EXPECT_FALSE(decode_image(text, image));
  EXPECT_FALSE(decode_image({}, image));
  std::vector<uint8_t> gif = make_gif(2, 2, {{2, 8}});
  ASSERT_TRUE(decode_image(gif, image));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(std::vector<uint8_t>(image.pixels.begin(), image.pixels.begin() + 4),
            (std::vector<uint8_t>{0, 255, 0, 255}));
}

// --- The banner ------------------------------------------------------------------

TEST_F(SoftwareRenderer, TheStartWindowGetsAQuarterSizeTexture) {
  auto title = banner(embedded_title_banner());
  SDL_Texture* texture = title->texture_for_height(137);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(title->factor(), 4);
  EXPECT_EQ(size_of(texture), std::make_pair(370.0f, 170.0f));

  texture = title->texture_for_height(60);
  EXPECT_EQ(title->factor(), 8);
  EXPECT_EQ(size_of(texture), std::make_pair(185.0f, 85.0f));

  texture = title->texture_for_height(700);
  EXPECT_EQ(title->factor(), 1);
  EXPECT_EQ(size_of(texture), std::make_pair(1482.0f, 682.0f));
  EXPECT_EQ(title->frames_decoded(), 1);  // new sizes, the same frame

  BannerCrop crop = title->crop();
  EXPECT_FLOAT_EQ(crop.u0, 37.0f / 1482);
  EXPECT_FLOAT_EQ(crop.v0, 31.0f / 682);
  EXPECT_FLOAT_EQ(crop.u1, 1457.0f / 1482);
  EXPECT_FLOAT_EQ(crop.v1, 665.0f / 682);
}

TEST_F(SoftwareRenderer, PlaysOnceAndHoldsTheLastFrame) {
  auto title = banner(embedded_title_banner());
  ASSERT_NE(title->texture_for_height(137), nullptr);
  EXPECT_EQ(title->frames_decoded(), 1);
  now_ += 1000;  // frames of 80 and 90 ms: about a dozen are due, decoded in one call
  title->texture_for_height(137);
  EXPECT_GT(title->frames_decoded(), 10);
  EXPECT_LT(title->frames_decoded(), 14);
  EXPECT_FALSE(title->finished());

  now_ += 8500;  // about 9.5 s after the start
  SDL_Texture* last = title->texture_for_height(137);
  EXPECT_TRUE(title->finished());
  EXPECT_EQ(title->frames_decoded(), 84);
  for (int minute = 1; minute <= 3; ++minute) {
    now_ += 60'000;
    EXPECT_EQ(title->texture_for_height(137), last);
  }
  EXPECT_EQ(title->frames_decoded(), 84);
}

TEST_F(SoftwareRenderer, ShowsEachFrameForItsDelay) {
  // 50 ms red, 0 ms (played as 100) green, then blue: the last one stays.
  std::vector<uint8_t> gif = make_gif(8, 8, {{1, 5}, {2, 0}, {3, 5}});
  auto title = banner(gif);
  EXPECT_EQ(shown(title->texture_for_height(700)), red);
  now_ += 49;
  EXPECT_EQ(shown(title->texture_for_height(700)), red);
  now_ += 1;
  EXPECT_EQ(shown(title->texture_for_height(700)), green);
  now_ += 99;
  EXPECT_EQ(shown(title->texture_for_height(700)), green);
  now_ += 1;
  EXPECT_EQ(shown(title->texture_for_height(700)), blue);
  EXPECT_FALSE(title->finished());
  now_ += 50;
  EXPECT_EQ(shown(title->texture_for_height(700)), blue);
  EXPECT_TRUE(title->finished());
  EXPECT_EQ(title->frames_decoded(), 3);
}

TEST_F(SoftwareRenderer, MarksTheFrameChangedWhenItsPixelsChangeAndOnlyThen) {
  // The draw data show the same texture throughout; only the mark tells the
  // idle loop that the picture changed.
  std::vector<uint8_t> gif = make_gif(8, 8, {{1, 5}, {2, 5}});
  auto title = banner(gif);
  take_frame_changed();
  struct Step {
    uint64_t advance_ms;
    int height;
    bool changed;
  };
  const Step steps[] = {
      {0, 700, true},    // the first frame
      {20, 700, false},  // still the first
      {30, 700, true},   // the second frame
      {0, 60, true},     // another size: the texture is remade
      {0, 60, false},    //
      {500, 60, false},  // the end: the last frame stays
  };
  for (const Step& step : steps) {
    now_ += step.advance_ms;
    ASSERT_NE(title->texture_for_height(step.height), nullptr);
    EXPECT_EQ(take_frame_changed(), step.changed) << "at " << now_ << " ms, " << step.height << " high";
  }
}

TEST_F(SoftwareRenderer, AStartMadeAheadShowsItsFirstFrameForItsWholeDelay) {
  // Made long before the window opened: its 50 ms count from the first draw.
  std::vector<uint8_t> gif = make_gif(8, 8, {{1, 5}, {2, 5}});
  BannerStart start = start_banner(std::make_unique<GifDecoder>(gif), 4);  // factor 8: 1 x 1
  ASSERT_EQ(start.factor, 8);
  ASSERT_EQ(start.shrunk.pixels, (std::vector<uint8_t>{255, 0, 0, 255}));
  now_ = 5000;
  auto title = banner(std::move(start));
  take_frame_changed();
  EXPECT_EQ(shown(title->texture_for_height(4)), red);
  EXPECT_TRUE(take_frame_changed());
  EXPECT_EQ(title->frames_decoded(), 1);
  now_ += 49;
  EXPECT_EQ(shown(title->texture_for_height(4)), red);
  now_ += 1;
  EXPECT_EQ(shown(title->texture_for_height(4)), green) << "the next frame is shrunk here";
  EXPECT_EQ(shown(title->texture_for_height(700)), green) << "and at another size";
  EXPECT_EQ(title->frames_decoded(), 2);
}

TEST_F(SoftwareRenderer, TheBuiltInBannerStartsOnAWorkerThread) {
  BannerStart start = prepare_banner_start(137).get();
  ASSERT_NE(start.decoder->pixels(), nullptr) << "the first frame is decoded";
  EXPECT_EQ(start.factor, 4);
  EXPECT_EQ(start.shrunk.width, 370);
  auto title = banner(std::move(start));
  SDL_Texture* texture = title->texture_for_height(137);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(size_of(texture), std::make_pair(370.0f, 170.0f));
  EXPECT_EQ(title->frames_decoded(), 1);
}

TEST_F(SoftwareRenderer, DroppingTheTextureKeepsThePlace) {
  std::vector<uint8_t> gif = make_gif(8, 8, {{1, 10}, {2, 10}, {3, 10}});
  auto title = banner(gif);
  title->texture_for_height(700);
  now_ += 100;
  EXPECT_EQ(shown(title->texture_for_height(700)), green);
  title->drop_texture();
  SDL_Texture* again = title->texture_for_height(700);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(shown(again), green);
  EXPECT_EQ(title->frames_decoded(), 2);
}

TEST_F(SoftwareRenderer, DataThatIsNoGifGivesNoBanner) {
  const std::vector<uint8_t> text = {'G', 'I', 'F', ' ', 'n', 'o', 't'};
  auto title = banner(text);
  EXPECT_FALSE(title->valid());
  EXPECT_EQ(title->texture_for_height(137), nullptr);
  // Without a known size the crop assumes the picture's 1482 by 682.
  EXPECT_FLOAT_EQ(title->crop().u1, 1457.0f / 1482);
}

TEST_F(SoftwareRenderer, AFirstFrameThatFailsGivesNoBannerForGood) {
  std::vector<uint8_t> gif = make_gif(8, 8, {{1, 10}});
  gif.resize(30);  // header and colours, then the frame is cut off
  auto title = banner(gif);
  EXPECT_TRUE(title->valid());
  EXPECT_EQ(title->texture_for_height(137), nullptr);
  EXPECT_FALSE(title->valid());
  now_ += 1000;
  EXPECT_EQ(title->texture_for_height(137), nullptr);
}

}  // namespace
}  // namespace korvix
