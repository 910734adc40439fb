// TitleBanner: the animated title picture at the top of the menu screens. It
// decodes the GIF built into the program frame by frame as the menu is drawn,
// plays it once and holds the last frame, in a texture shrunk to the size shown.
#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <span>

#include "ui/image_decoder.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace korvix {

// The shown part of the picture, in texture coordinates.
struct BannerCrop {
  float u0, v0, u1, v1;
};

// 634 / height, whole, kept within 1..8: the texture is the picture shrunk by it.
int banner_factor(int height);

// A frame's delay as played: below 11 ms counts as 100 ms.
int played_delay_ms(int file_delay_ms);

// The start of an animation: its first frame decoded and shrunk for a banner
// of some height. Made on a worker thread for the built-in animation while the
// window opens, so that the first draw only uploads it (the first pass over a
// new picture's memory is the slow one; it happens on the worker then).
struct BannerStart {
  std::unique_ptr<GifDecoder> decoder;  // after its first frame; null: not started
  int factor = 0;                       // the factor `shrunk` was made with
  RgbaImage shrunk;
};

// Decodes the first frame and shrinks it for a banner `height` pixels high.
BannerStart start_banner(std::unique_ptr<GifDecoder> decoder, int height);

// start_banner over the built-in animation, on a worker thread.
std::future<BannerStart> prepare_banner_start(int height);

class TitleBanner {
 public:
  using Clock = std::function<uint64_t()>;  // milliseconds

  // Over the animation built into the program, on SDL's millisecond clock,
  // from what prepare_banner_start made, or from its beginning.
  static std::unique_ptr<TitleBanner> create(SDL_Renderer* renderer, BannerStart start = {});
  // Over any animation: a decoder before its first frame, or a start.
  static std::unique_ptr<TitleBanner> create(SDL_Renderer* renderer, BannerStart start, Clock clock);

  ~TitleBanner();
  TitleBanner(const TitleBanner&) = delete;
  TitleBanner& operator=(const TitleBanner&) = delete;

  // Advances the animation and returns the texture to draw `height` pixels high,
  // or null when the banner is unusable or its texture can't be made this time.
  SDL_Texture* texture_for_height(int height);

  BannerCrop crop() const;

  // Forgets the texture (display changes); the next call makes it again. The
  // animation keeps its place.
  void drop_texture();

  bool valid() const { return valid_; }
  bool finished() const { return finished_; }
  int factor() const { return factor_; }
  int frames_decoded() const { return frames_decoded_; }

 private:
  TitleBanner(SDL_Renderer* renderer, BannerStart start, Clock clock);
  bool start(uint64_t now);
  bool decode_next();
  void update_texture(int factor);

  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  int texture_width_ = 0;
  int texture_height_ = 0;
  int factor_ = 0;
  std::unique_ptr<GifDecoder> decoder_;
  int frame_width_ = 0;
  int frame_height_ = 0;
  bool valid_ = false;
  bool started_ = false;
  bool finished_ = false;
  uint64_t next_frame_at_ = 0;
  Clock clock_;
  int frames_decoded_ = 0;
  RgbaImage shrunk_;  // kept between frames to reuse its memory
  int shrunk_factor_ = 0;
  int shrunk_frame_ = 0;  // the frame (counted from 1) that `shrunk_` holds, 0 for none
};

}  // namespace korvix
