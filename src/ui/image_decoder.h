// Picture decoding through stb_image: the title banner's animated GIF frame by
// frame, and single pictures (JPEG) held in memory. image_decoder.cpp is the one
// translation unit that compiles stb_image, for GIF and JPEG only; use this
// interface instead of including stb_image elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace korvix {

// RGBA pixels, 8 bits a channel, rows from the top, no padding between rows.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// Decodes a JPEG (or a GIF's first frame) held in memory. False when it can't.
bool decode_image(std::span<const uint8_t> bytes, RgbaImage& image);

// Decodes an animated GIF held in memory one frame at a time, onto one picture.
// The bytes must outlive the decoder.
class GifDecoder {
 public:
  enum class Step { frame, end, failed };

  explicit GifDecoder(std::span<const uint8_t> bytes);
  ~GifDecoder();
  GifDecoder(const GifDecoder&) = delete;
  GifDecoder& operator=(const GifDecoder&) = delete;

  // The bytes begin like a GIF file.
  bool is_gif() const { return is_gif_; }

  // Draws the next frame onto the picture. After `end` or `failed` there is no
  // next frame; the picture keeps the last frame drawn.
  Step next_frame();

  // The picture after the last frame: width × height RGBA pixels; null before the first.
  const uint8_t* pixels() const;
  int width() const;
  int height() const;
  // The last frame's delay in milliseconds, as the file gives it.
  int delay_ms() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
  bool is_gif_ = false;
  bool done_ = false;
  bool has_frame_ = false;
};

}  // namespace korvix
