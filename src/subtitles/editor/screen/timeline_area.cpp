// For now the timeline's place shows its frame and what it would say without
// sound; the overview strip and the preview box keep their room under it.
#include "subtitles/editor/screen/timeline_area.h"

#include <imgui_internal.h>

#include "subtitles/editor/screen/editor_frame.h"

namespace korvix {

namespace {

constexpr ImU32 timeline_background = editor_colors::rgba(12, 20, 46);
constexpr ImU32 wave_background = editor_colors::rgba(6, 12, 30);
constexpr ImU32 overview_bar = editor_colors::rgba(24, 36, 70);
constexpr ImU32 preview_background = editor_colors::rgba(0, 0, 0, 199);

void centred_text(ImDrawList* draw, ImVec2 min, ImVec2 max, const char* text) {
  ImVec2 size = ImGui::CalcTextSize(text);
  draw->AddText(ImVec2((min.x + max.x - size.x) * 0.5f, (min.y + max.y - size.y) * 0.5f), editor_colors::dim, text);
}

}  // namespace

bool draw_timeline_area(EditorFrame& frame) {
  const float s = frame.m.s;
  const float width = ImGui::GetContentRegionAvail().x;
  ImDrawList* draw = ImGui::GetWindowDrawList();

  // The timeline: ruler, lines band and waveform band.
  ImVec2 top = ImGui::GetCursorScreenPos();
  ImGui::Dummy(ImVec2(width, 7.9f * s));
  draw->AddRectFilled(top, offset(top, width, 7.9f * s), timeline_background, frame.m.px(4));
  ImVec2 wave_min = offset(top, 0, 3.4f * s);
  ImVec2 wave_max = offset(top, width, 7.9f * s);
  draw->AddRectFilled(wave_min, wave_max, wave_background);
  centred_text(draw, wave_min, wave_max, frame.media.fetching_sound() ? "Getting the sound..." : "No sound");

  // The overview strip.
  ImVec2 strip = ImGui::GetCursorScreenPos();
  ImGui::Dummy(ImVec2(width, frame.m.px(11)));
  float bar_y = strip.y + frame.m.px(2);
  draw->AddRectFilled(ImVec2(strip.x, bar_y), ImVec2(strip.x + width, bar_y + frame.m.px(7)), overview_bar,
                      frame.m.px(3));

  // The preview, as it shows without a movie picture.
  ImVec2 preview = ImGui::GetCursorScreenPos();
  ImGui::Dummy(ImVec2(width, 3.6f * s));
  draw->AddRectFilled(preview, offset(preview, width, 3.6f * s), preview_background, frame.m.px(6));
  return false;
}

}  // namespace korvix
