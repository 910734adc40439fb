// A plain editor frame: the toolbar's title, path, Save and Back, the status
// line and the clip count. The full screen replaces this file.
#include "subtitles/editor/draw_editor.h"

#include <imgui.h>

#include <string>

#include "platform/paths.h"
#include "subtitles/editor/subtitle_editor.h"
#include "subtitles/subtitles_summary.h"

namespace korvix {

namespace {

constexpr ImU32 accent = IM_COL32(255, 204, 0, 255);
constexpr ImU32 dim = IM_COL32(255, 255, 255, 130);
constexpr ImU32 background = IM_COL32(10, 16, 38, 255);

constexpr ImGuiWindowFlags full_window_flags =
    ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoCollapse |
    ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoBackground;

std::string count_line(const std::vector<SubtitleClip>& clips) {
  size_t corrected = 0;
  for (const SubtitleClip& clip : clips) corrected += clip.edited ? 1 : 0;
  return count_text(clips.size(), "clip", "clips") + "     " + std::to_string(corrected) + "/" +
         std::to_string(clips.size()) + " corrected";
}

}  // namespace

bool draw_editor(SubtitleEditor& editor, float scale, ImFont* font) {
  EditorDocument& document = editor.document;
  editor.media.tick();
  const float s = 17.0f * scale;

  ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(viewport->Pos);
  ImGui::SetNextWindowSize(viewport->Size);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0.6f * s, 0.6f * s));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
  ImGui::Begin("##editor", nullptr, full_window_flags);
  ImGui::GetWindowDrawList()->AddRectFilled(
      viewport->Pos, ImVec2(viewport->Pos.x + viewport->Size.x, viewport->Pos.y + viewport->Size.y), background);
  ImGui::PushFont(font, s);

  ImGui::PushFont(nullptr, 1.4f * s);
  ImGui::PushStyleColor(ImGuiCol_Text, accent);
  ImGui::TextUnformatted("Subtitle editor");
  ImGui::PopStyleColor();
  ImGui::PopFont();
  ImGui::SameLine(0, s);
  ImGui::AlignTextToFramePadding();
  ImGui::PushStyleColor(ImGuiCol_Text, dim);
  ImGui::TextUnformatted(path_to_text(document.file_path()).value_or("").c_str());
  ImGui::PopStyleColor();

  bool left = false;
  ImGui::BeginDisabled(!document.dirty());
  if (ImGui::Button(document.dirty() ? "Save###save" : "Saved###save")) document.save();
  ImGui::EndDisabled();
  ImGui::SameLine();
  if (ImGui::Button("Back")) left = document.try_leave();

  if (!left) {
    if (!document.status.empty()) {
      ImGui::PushStyleColor(ImGuiCol_Text, accent);
      ImGui::TextWrapped("%s", document.status.c_str());
      ImGui::PopStyleColor();
    }
    ImGui::Separator();
    ImGui::TextUnformatted(count_line(document.clips()).c_str());
    if (ImGui::IsKeyChordPressed(ImGuiMod_Ctrl | ImGuiKey_S) && document.dirty()) document.save();
  }

  ImGui::PopFont();
  ImGui::End();
  ImGui::PopStyleVar(2);
  return left;
}

}  // namespace korvix
