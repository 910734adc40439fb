// The only translation unit that compiles stb_image. Its frame-by-frame GIF
// loader (stbi__gif_load_next) is internal to the implementation, so the GIF
// decoder lives here too.
#include "ui/image_decoder.h"

#include <climits>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

namespace korvix {

bool decode_image(std::span<const uint8_t> bytes, RgbaImage& image) {
  if (bytes.empty() || bytes.size() > INT_MAX) return false;
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4);
  if (!pixels) return false;
  image.width = width;
  image.height = height;
  image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
  stbi_image_free(pixels);
  return true;
}

struct GifDecoder::State {
  stbi__context context;
  stbi__gif gif;
};

GifDecoder::GifDecoder(std::span<const uint8_t> bytes) : state_(std::make_unique<State>()) {
  std::memset(&state_->gif, 0, sizeof state_->gif);
  if (bytes.empty() || bytes.size() > INT_MAX) {
    done_ = true;
    return;
  }
  stbi__start_mem(&state_->context, bytes.data(), static_cast<int>(bytes.size()));
  is_gif_ = stbi__gif_test(&state_->context) != 0;
  done_ = !is_gif_;
}

GifDecoder::~GifDecoder() {
  STBI_FREE(state_->gif.out);
  STBI_FREE(state_->gif.background);
  STBI_FREE(state_->gif.history);
}

GifDecoder::Step GifDecoder::next_frame() {
  if (done_) return Step::end;
  int channels = 0;
  // No picture from two frames back: stb then restores a "previous" disposal
  // from the picture before the last frame, which is what that disposal means.
  stbi_uc* result = stbi__gif_load_next(&state_->context, &state_->gif, &channels, 4, nullptr);
  if (result == reinterpret_cast<stbi_uc*>(&state_->context)) {  // the file's end marker
    done_ = true;
    return Step::end;
  }
  if (!result || state_->gif.w <= 0 || state_->gif.h <= 0) {
    done_ = true;
    return Step::failed;
  }
  has_frame_ = true;
  return Step::frame;
}

const uint8_t* GifDecoder::pixels() const { return has_frame_ ? state_->gif.out : nullptr; }

int GifDecoder::width() const { return has_frame_ ? state_->gif.w : 0; }

int GifDecoder::height() const { return has_frame_ ? state_->gif.h : 0; }

int GifDecoder::delay_ms() const { return state_->gif.delay; }

}  // namespace korvix
