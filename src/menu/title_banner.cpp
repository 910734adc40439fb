#include "menu/title_banner.h"

#include <SDL3/SDL.h>

#include <algorithm>

#include "menu/box_filter.h"
#include "menu/embedded_banner.h"
#include "ui/frame_changes.h"

namespace korvix {

namespace {

// The picture is 1482 by 682; only (37, 31) to (1457, 665) is shown.
constexpr int picture_width = 1482;
constexpr int picture_height = 682;
constexpr int crop_left = 37;
constexpr int crop_top = 31;
constexpr int crop_right = 1457;
constexpr int crop_bottom = 665;
constexpr int crop_height = crop_bottom - crop_top;
constexpr int max_factor = 8;

}  // namespace

int banner_factor(int height) { return std::clamp(crop_height / std::max(1, height), 1, max_factor); }

int played_delay_ms(int file_delay_ms) { return file_delay_ms < 11 ? 100 : file_delay_ms; }

BannerStart start_banner(std::unique_ptr<GifDecoder> decoder, int height) {
  BannerStart start;
  start.decoder = std::move(decoder);
  if (start.decoder->next_frame() != GifDecoder::Step::frame) return start;
  start.factor = banner_factor(height);
  if (start.factor > 1)
    box_filter(start.decoder->pixels(), start.decoder->width(), start.decoder->height(), start.factor, start.shrunk);
  return start;
}

std::future<BannerStart> prepare_banner_start(int height) {
  return std::async(std::launch::async,
                    [height] { return start_banner(std::make_unique<GifDecoder>(embedded_title_banner()), height); });
}

std::unique_ptr<TitleBanner> TitleBanner::create(SDL_Renderer* renderer, BannerStart start) {
  if (!start.decoder) start.decoder = std::make_unique<GifDecoder>(embedded_title_banner());
  return create(renderer, std::move(start), [] { return static_cast<uint64_t>(SDL_GetTicks()); });
}

std::unique_ptr<TitleBanner> TitleBanner::create(SDL_Renderer* renderer, BannerStart start, Clock clock) {
  return std::unique_ptr<TitleBanner>(new TitleBanner(renderer, std::move(start), std::move(clock)));
}

TitleBanner::TitleBanner(SDL_Renderer* renderer, BannerStart start, Clock clock)
    : renderer_(renderer),
      decoder_(std::move(start.decoder)),
      valid_(decoder_->is_gif()),
      clock_(std::move(clock)),
      shrunk_(std::move(start.shrunk)),
      shrunk_factor_(start.factor),
      shrunk_frame_(shrunk_.pixels.empty() ? 0 : 1) {}

TitleBanner::~TitleBanner() { drop_texture(); }

SDL_Texture* TitleBanner::texture_for_height(int height) {
  if (!valid_) return nullptr;
  int factor = banner_factor(height);
  uint64_t now = clock_();
  bool new_frame = false;
  if (!started_) {
    if (!start(now)) return nullptr;
    new_frame = true;
  }
  // Catch up: only the last of the frames due is shown.
  while (!finished_ && now >= next_frame_at_) {
    if (decode_next()) {
      new_frame = true;
    } else {
      finished_ = true;  // the end of the animation, or a frame that would not decode
    }
  }
  if (factor != factor_ || new_frame || !texture_) update_texture(factor);
  return texture_;
}

// The first frame shows from the first draw on, whenever it was decoded.
bool TitleBanner::start(uint64_t now) {
  started_ = true;
  next_frame_at_ = now;
  if (decoder_->pixels()) {
    ++frames_decoded_;
    next_frame_at_ += played_delay_ms(decoder_->delay_ms());
  } else if (!decode_next()) {
    valid_ = false;
    return false;
  }
  frame_width_ = decoder_->width();
  frame_height_ = decoder_->height();
  return true;
}

bool TitleBanner::decode_next() {
  if (decoder_->next_frame() != GifDecoder::Step::frame) return false;
  ++frames_decoded_;
  next_frame_at_ += played_delay_ms(decoder_->delay_ms());
  return true;
}

void TitleBanner::update_texture(int factor) {
  int width = std::max(1, frame_width_ / factor);
  int height = std::max(1, frame_height_ / factor);
  if (texture_ && (texture_width_ != width || texture_height_ != height)) drop_texture();
  if (!texture_) {
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) return;
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture_, SDL_SCALEMODE_LINEAR);
    texture_width_ = width;
    texture_height_ = height;
  }
  factor_ = factor;
  // The draw data stay the same from frame to frame; only the pixels change.
  mark_frame_changed();
  if (factor == 1) {
    SDL_UpdateTexture(texture_, nullptr, decoder_->pixels(), frame_width_ * 4);
    return;
  }
  if (shrunk_frame_ != frames_decoded_ || shrunk_factor_ != factor) {
    box_filter(decoder_->pixels(), frame_width_, frame_height_, factor, shrunk_);
    shrunk_frame_ = frames_decoded_;
    shrunk_factor_ = factor;
  }
  SDL_UpdateTexture(texture_, nullptr, shrunk_.pixels.data(), shrunk_.width * 4);
}

BannerCrop TitleBanner::crop() const {
  float width = static_cast<float>(frame_width_ > 0 ? frame_width_ : picture_width);
  float height = static_cast<float>(frame_height_ > 0 ? frame_height_ : picture_height);
  return {crop_left / width, crop_top / height, crop_right / width, crop_bottom / height};
}

void TitleBanner::drop_texture() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  texture_width_ = 0;
  texture_height_ = 0;
}

}  // namespace korvix
