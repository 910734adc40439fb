// The yardstick of the start-up and idle benchmarks: a bare SDL3 + Dear ImGui
// program set up as the launcher is (the same SDL subsystems, window, renderer
// with vsync and back ends) that draws one small window with the library's
// built-in font; with KORVIX_BARE_FULL_WINDOW set, also a rectangle over the
// whole window, as the launcher's background is. (A software rasteriser, such
// as the one behind the offscreen driver here, takes its time over that.)
//
// With KORVIX_LAUNCHER_BENCH_FIRST_FRAME set it quits after its first present
// and prints the steady clock's time then, as the launcher does. Otherwise it
// waits for events 50 ms at a time and draws again only on an event.
#include <SDL3/SDL.h>
#include <SDL3/SDL_main.h>
#include <imgui.h>
#include <imgui_impl_sdl3.h>
#include <imgui_impl_sdlrenderer3.h>

#include <chrono>
#include <cstdio>

namespace {

void draw_frame(SDL_Renderer* renderer, bool full_window) {
  ImGui_ImplSDLRenderer3_NewFrame();
  ImGui_ImplSDL3_NewFrame();
  ImGui::NewFrame();
  if (full_window)
    ImGui::GetBackgroundDrawList()->AddRectFilled(ImVec2(0, 0), ImGui::GetIO().DisplaySize, IM_COL32(16, 30, 64, 255));
  ImGui::Begin("Bare");
  ImGui::TextUnformatted("A bare SDL3 + Dear ImGui program");
  ImGui::End();
  ImGui::Render();
  ImGuiIO& io = ImGui::GetIO();
  SDL_SetRenderScale(renderer, io.DisplayFramebufferScale.x, io.DisplayFramebufferScale.y);
  SDL_SetRenderDrawColor(renderer, 6, 10, 26, 255);
  SDL_RenderClear(renderer);
  ImGui_ImplSDLRenderer3_RenderDrawData(ImGui::GetDrawData(), renderer);
  SDL_RenderPresent(renderer);
}

}  // namespace

int main(int, char**) {
  if (!SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMEPAD | SDL_INIT_EVENTS)) {
    SDL_Log("SDL_Init failed: %s", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("Bare", 1280, 760, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIGH_PIXEL_DENSITY);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, nullptr) : nullptr;
  if (!renderer) {
    SDL_Log("no window or renderer: %s", SDL_GetError());
    return 1;
  }
  SDL_SetRenderVSync(renderer, 1);
  ImGui::CreateContext();
  ImGui::GetIO().IniFilename = nullptr;
  ImGui_ImplSDL3_InitForSDLRenderer(window, renderer);
  ImGui_ImplSDLRenderer3_Init(renderer);

  const bool full_window = SDL_getenv("KORVIX_BARE_FULL_WINDOW") != nullptr;
  draw_frame(renderer, full_window);
  if (SDL_getenv("KORVIX_LAUNCHER_BENCH_FIRST_FRAME")) {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("first_frame_steady_ns=%lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
  } else {
    for (bool running = true; running;) {
      SDL_Event event;
      if (!SDL_WaitEventTimeout(&event, 50)) continue;
      do {
        ImGui_ImplSDL3_ProcessEvent(&event);
        if (event.type == SDL_EVENT_QUIT) running = false;
      } while (SDL_PollEvent(&event));
      draw_frame(renderer, full_window);
    }
  }

  ImGui_ImplSDLRenderer3_Shutdown();
  ImGui_ImplSDL3_Shutdown();
  ImGui::DestroyContext();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
