// The look panel "##look": the game's subtitle settings but the switch itself,
// each changed and written to korvix.toml at once, and "As they were".
#include <imgui.h>

#include <algorithm>
#include <string>

#include "settings/game_settings.h"
#include "settings/setting_schema.h"
#include "editor/screen/editor_frame.h"

namespace korvix {

namespace {

constexpr std::string_view subtitles_switch = "subtitles";

bool in_look_panel(const SettingSpec& spec) { return spec.key != subtitles_switch; }

// One setting: its label, then its value 220 wide, stepped by the arrows (or,
// for a switch, by clicking it) the way the settings pages step it.
void draw_look_row(EditorFrame& frame, const SettingSpec& spec, float label_width) {
  EditorDocument& document = frame.document;
  const ImGuiStyle& style = ImGui::GetStyle();
  const float width = frame.m.px(220);
  std::string key(spec.key);
  ImGui::PushID(key.c_str());
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(spec.label.data(), spec.label.data() + spec.label.size());
  ImGui::SameLine(label_width + style.WindowPadding.x + style.ItemSpacing.x);
  std::string value = document.look().displayed_value(spec) + "##value";
  if (spec.kind == SettingKind::Bool) {
    if (ImGui::Button(value.c_str(), ImVec2(width, 0))) document.step_look(spec, +1);
  } else {
    const float arrow = ImGui::GetFrameHeight();
    const float inner = style.ItemInnerSpacing.x;
    if (ImGui::ArrowButton("##less", ImGuiDir_Left)) document.step_look(spec, -1);
    ImGui::SameLine(0, inner);
    if (ImGui::Button(value.c_str(), ImVec2(width - 2 * (arrow + inner), 0))) document.step_look(spec, +1);
    ImGui::SameLine(0, inner);
    if (ImGui::ArrowButton("##more", ImGuiDir_Right)) document.step_look(spec, +1);
  }
  ImGui::PopID();
}

}  // namespace

void draw_look_panel(EditorFrame& frame) {
  if (!ImGui::BeginPopup("##look")) return;
  ImGui::PushFont(nullptr, 1.15f * frame.m.s);
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::accent);
  ImGui::TextUnformatted("How the subtitles look in game");
  ImGui::PopStyleColor();
  ImGui::PopFont();
  ImGui::TextDisabled("%s", look_panel_help_text.data());
  ImGui::Spacing();
  float label_width = 0;
  for (const SettingSpec& spec : subtitle_settings()) {
    if (in_look_panel(spec)) {
      label_width = std::max(label_width, ImGui::CalcTextSize(spec.label.data(), spec.label.data() + spec.label.size()).x);
    }
  }
  for (const SettingSpec& spec : subtitle_settings()) {
    if (in_look_panel(spec)) draw_look_row(frame, spec, label_width);
  }
  ImGui::Spacing();
  if (ImGui::Button("As they were")) frame.document.reset_look();
  ImGui::EndPopup();
}

}  // namespace korvix
