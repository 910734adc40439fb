// The speakers panel: a name field per speaker in its colour, the names used
// in other clips to pick from, and "+" for one more speaker.
#include <imgui.h>

#include <string>

#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"
#include "editor/document/typed_text.h"

namespace korvix {

namespace {

constexpr const char* speakers_tooltip =
    "Who each speaker is: shown before their lines (\"Name: line\") when the game's Speaker names setting is on. "
    "Leave one empty to show none. + adds a speaker (up to ten).";

void draw_known_names(EditorFrame& frame, int speaker, const std::string& current) {
  if (!ImGui::BeginPopup("##names")) return;
  EditorDocument& document = frame.document;
  const std::vector<std::string>& names = document.known_names();
  if (names.empty()) ImGui::TextDisabled("No names typed in yet");
  for (size_t i = 0; i < names.size(); ++i) {
    ImGui::PushID(static_cast<int>(i));
    if (ImGui::Selectable(names[i].c_str(), names[i] == current)) frame.widget_edit(document.choose_name(speaker, names[i]));
    ImGui::PopID();
  }
  if (!current.empty() && ImGui::Selectable("(no name)")) frame.widget_edit(document.clear_name(speaker));
  ImGui::EndPopup();
}

void draw_speaker(EditorFrame& frame, int speaker) {
  EditorDocument& document = frame.document;
  std::string name = document.selected()->names[static_cast<size_t>(speaker)];
  const std::string hint = "Speaker " + std::to_string(speaker + 1);
  ImGui::PushID(speaker);
  ImGui::SetNextItemWidth(frame.m.px(130));
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::speaker(speaker));
  bool edited = input_string("##name", name, name_max_bytes, ImGuiInputTextFlags_None, hint.c_str());
  ImGui::PopStyleColor();
  mark_found(frame, true, speaker, document.selected()->names[static_cast<size_t>(speaker)]);
  follow_field_gesture(document);
  if (edited) frame.widget_edit(document.set_name(speaker, name));
  ImGui::SameLine(0, ImGui::GetStyle().ItemInnerSpacing.x);
  if (ImGui::ArrowButton("##pick", ImGuiDir_Down)) ImGui::OpenPopup("##names");
  ImGui::SetItemTooltip("A name used in other clips");
  draw_known_names(frame, speaker, document.selected()->names[static_cast<size_t>(speaker)]);
  ImGui::PopID();
}

}  // namespace

void draw_speakers_panel(EditorFrame& frame) {
  EditorDocument& document = frame.document;
  const int count = document.speaker_count(document.selected_clip());
  const float one_speaker = frame.m.px(130) + ImGui::GetStyle().ItemInnerSpacing.x + ImGui::GetFrameHeight();
  FlowRow row;
  row.place(ImGui::CalcTextSize("Speakers").x);
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Speakers");
  ImGui::SetItemTooltip("%s", speakers_tooltip);
  for (int speaker = 0; speaker < count; ++speaker) {
    row.place(one_speaker);
    draw_speaker(frame, speaker);
  }
  if (count < speaker_count_max) {
    row.place(button_width("+"));
    if (ImGui::Button("+##speaker")) document.add_speaker();
    ImGui::SetItemTooltip("Another speaker (up to ten)");
  }
}

}  // namespace korvix
