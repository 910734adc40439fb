#include "editor/media/movie_picture.h"

#include <SDL3/SDL.h>

#include "platform/file_read.h"
#include "ui/frame_changes.h"
#include "ui/image_decoder.h"

namespace korvix {

void MoviePictureTexture::set_renderer(SDL_Renderer* renderer) {
  if (renderer == renderer_) return;
  destroy();
  renderer_ = renderer;
}

void MoviePictureTexture::destroy() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  width_ = 0;
  height_ = 0;
  shown_frame_ = -1;
  shown_folder_.clear();
}

bool MoviePictureTexture::upload(const MovieFrames& movie, int frame) {
  std::optional<std::string> bytes = read_file_bytes(movie_frame_path(movie.folder, frame));
  if (!bytes) return false;
  RgbaImage image;
  if (!decode_image({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()}, image)) return false;
  if (image.width != movie.width || image.height != movie.height) return false;
  if (!SDL_UpdateTexture(texture_, nullptr, image.pixels.data(), image.width * 4)) return false;
  shown_frame_ = frame;
  shown_folder_ = movie.folder;
  // The draw data stays the same while the texture's pixels change.
  mark_frame_changed();
  return true;
}

std::optional<MoviePicture> MoviePictureTexture::show(const MovieFrames& movie, int frame) {
  if (!renderer_) return std::nullopt;
  if (texture_ && (width_ != movie.width || height_ != movie.height)) destroy();
  if (!texture_) {
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STREAMING, movie.width, movie.height);
    if (!texture_) return std::nullopt;
    SDL_SetTextureScaleMode(texture_, SDL_SCALEMODE_LINEAR);
    width_ = movie.width;
    height_ = movie.height;
    shown_frame_ = -1;
  }
  if (frame != shown_frame_ || shown_folder_ != movie.folder) upload(movie, frame);
  if (shown_folder_ != movie.folder) return std::nullopt;
  return MoviePicture{texture_, width_, height_};
}

}  // namespace korvix
