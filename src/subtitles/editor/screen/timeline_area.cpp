// For now the timeline's place shows its frame and what it would say without
// sound; the overview strip and the preview box keep their room under it.
#include "subtitles/editor/screen/timeline_area.h"

#include <imgui_internal.h>

#include <algorithm>

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

// The timeline's bands, the overview strip and the preview box, in the editor's row unit.
constexpr float timeline_rows = 7.9f;
constexpr float wave_top_rows = 3.4f;
constexpr float overview_px = 11.0f;
constexpr float preview_rows = 3.6f;

float timeline_area_height(const EditorFrame& frame, float) {
  return (timeline_rows + preview_rows) * frame.m.s + frame.m.px(overview_px);
}

bool draw_timeline_area(EditorFrame& frame, const ImRect& area) {
  const float s = frame.m.s;
  const float width = area.GetWidth();
  ImDrawList* draw = ImGui::GetWindowDrawList();

  // The timeline: ruler, lines band and waveform band.
  ImVec2 top = area.Min;
  draw->AddRectFilled(top, offset(top, width, timeline_rows * s), timeline_background, frame.m.px(4));
  ImVec2 wave_min = offset(top, 0, wave_top_rows * s);
  ImVec2 wave_max = offset(top, width, timeline_rows * s);
  draw->AddRectFilled(wave_min, wave_max, wave_background);
  centred_text(draw, wave_min, wave_max, frame.media.fetching_sound() ? "Getting the sound..." : "No sound");

  // The overview strip.
  float bar_y = top.y + timeline_rows * s + frame.m.px(2);
  draw->AddRectFilled(ImVec2(area.Min.x, bar_y), ImVec2(area.Max.x, bar_y + frame.m.px(7)), overview_bar,
                      frame.m.px(3));

  // The preview, as it shows without a movie picture.
  ImVec2 preview(area.Min.x, top.y + timeline_rows * s + frame.m.px(overview_px));
  draw->AddRectFilled(preview, ImVec2(area.Max.x, std::min(area.Max.y, preview.y + preview_rows * s)),
                      preview_background, frame.m.px(6));
  return false;
}

}  // namespace korvix
