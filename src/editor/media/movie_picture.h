// The movie picture under the playhead as a renderer texture: one streaming
// RGBA texture of the movie's size, into which the picture is decoded only
// when the frame number changes.
#pragma once

#include "editor/media/movie_index.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace korvix {

// What the preview draws: the texture and the picture's size in pixels.
struct MoviePicture {
  SDL_Texture* texture = nullptr;
  int width = 0;
  int height = 0;
};

class MoviePictureTexture {
 public:
  MoviePictureTexture() = default;
  ~MoviePictureTexture() { destroy(); }
  MoviePictureTexture(const MoviePictureTexture&) = delete;
  MoviePictureTexture& operator=(const MoviePictureTexture&) = delete;

  // A texture belongs to its renderer: another renderer (or none) destroys it.
  void set_renderer(SDL_Renderer* renderer);
  // The picture is uploaded again on the next show (the display changed, or
  // another movie came).
  void forget_shown() { shown_frame_ = -1; }
  void destroy();

  // Shows `frame` of the movie: decodes and uploads it when it isn't the one
  // shown. A picture that is missing, can't be decoded or has another size
  // leaves the last one of this movie in place and is tried again next time.
  // Nothing until a picture of this movie has been shown, or without a renderer.
  std::optional<MoviePicture> show(const MovieFrames& movie, int frame);

 private:
  bool upload(const MovieFrames& movie, int frame);

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int shown_frame_ = -1;
  std::filesystem::path shown_folder_;  // the movie the texture holds a picture of
};

}  // namespace korvix
