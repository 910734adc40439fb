#include "app/fonts.h"

#include <imgui.h>

#include <system_error>

#include "platform/environment.h"
#include "platform/paths.h"
#include "platform/system_fonts.h"

namespace korvix {

std::vector<std::filesystem::path> font_candidates() {
  std::string windir = env_or_empty("WINDIR");
  std::filesystem::path fonts = path_from_utf8(windir.empty() ? "C:\\Windows" : windir) / "Fonts";
  std::vector<std::filesystem::path> candidates = {fonts / "bahnschrift.ttf", fonts / "segoeuib.ttf",
                                                   fonts / "arialbd.ttf"};
  for (const std::filesystem::path& font : system_fallback_fonts()) candidates.push_back(font);
  return candidates;
}

ImFont* load_font(ImGuiIO& io) {
  for (const std::filesystem::path& candidate : font_candidates()) {
    // The font atlas asserts on a missing file, so look first.
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error)) continue;
    if (ImFont* font = io.Fonts->AddFontFromFileTTF(to_utf8(candidate).c_str(), font_pixels)) return font;
  }
  ImFontConfig config;
  config.SizePixels = font_pixels;
  return io.Fonts->AddFontDefault(&config);
}

}  // namespace korvix
