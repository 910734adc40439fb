// The title banner's cost: per new frame while the animation plays, and per
// menu frame after it has ended, when nothing may be decoded any more.
#include <SDL3/SDL.h>
#include <benchmark/benchmark.h>

#include "menu/embedded_banner.h"
#include "menu/title_banner.h"

namespace korvix {
namespace {

constexpr int start_window_height = 137;  // the banner of the 760-high start window
constexpr uint64_t menu_frame_ms = 16;

// A software renderer on a surface: textures without a window.
struct Renderer {
  Renderer()
      : surface(SDL_CreateSurface(64, 64, SDL_PIXELFORMAT_RGBA32)), renderer(SDL_CreateSoftwareRenderer(surface)) {}
  ~Renderer() {
    SDL_DestroyRenderer(renderer);
    SDL_DestroySurface(surface);
  }
  SDL_Surface* surface;
  SDL_Renderer* renderer;
};

BannerStart not_started() {
  BannerStart start;
  start.decoder = std::make_unique<GifDecoder>(embedded_title_banner());
  return start;
}

// Plays the whole animation, a menu frame every 16 ms; reports the time per
// decoded frame.
void BannerWhilePlaying(benchmark::State& state) {
  Renderer target;
  int frames = 0;
  for (auto _ : state) {
    uint64_t now = 0;
    auto banner = TitleBanner::create(target.renderer, not_started(), [&now] { return now; });
    for (; !banner->finished(); now += menu_frame_ms)
      benchmark::DoNotOptimize(banner->texture_for_height(start_window_height));
    frames += banner->frames_decoded();
  }
  state.counters["frames"] = benchmark::Counter(frames, benchmark::Counter::kAvgIterations);
  state.counters["per_frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BannerWhilePlaying)->Unit(benchmark::kMillisecond);

// After the end: the banner only hands back its texture.
void BannerAfterTheEnd(benchmark::State& state) {
  Renderer target;
  uint64_t now = 0;
  auto banner = TitleBanner::create(target.renderer, not_started(), [&now] { return now; });
  for (; !banner->finished(); now += menu_frame_ms) banner->texture_for_height(start_window_height);
  int decoded_before = banner->frames_decoded();
  for (auto _ : state) {
    now += menu_frame_ms;
    benchmark::DoNotOptimize(banner->texture_for_height(start_window_height));
  }
  state.counters["frames_decoded"] = banner->frames_decoded() - decoded_before;
  if (banner->frames_decoded() != decoded_before) state.SkipWithError("frames were decoded after the end");
}
BENCHMARK(BannerAfterTheEnd);

}  // namespace
}  // namespace korvix
