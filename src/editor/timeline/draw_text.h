// Text measured in the interface's current font at a given size: the timeline
// and the preview measure their labels with it, the editor's fields their rows.
#pragma once

#include <imgui.h>

#include <cfloat>
#include <string_view>

namespace korvix {

inline float text_width(std::string_view text, float size) {
  return ImGui::GetFont()->CalcTextSizeA(size, FLT_MAX, 0.0f, text.data(), text.data() + text.size()).x;
}

}  // namespace korvix
