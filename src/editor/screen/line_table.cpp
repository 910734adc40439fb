// The line table "##lines": per line a play button, the speaker, the start and
// end times and the words; "+" and "x"; and under it the two ways to add a line.
#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "editor/document/line_rules.h"
#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"
#include "editor/screen/screen_texts.h"
#include "editor/document/typed_text.h"

namespace korvix {

namespace {

constexpr double seconds_min = 0.0;
constexpr double seconds_max = 36000.0;
constexpr size_t speaker_label_name_bytes = 24;

struct TableLayout {
  float speaker_button = 0;
  float speaker_column = 0;
  float time_field = 0;
  float end_column = 0;
};

std::string speaker_label(const SubtitleClip& clip, const SubtitleLine& line) {
  int speaker = std::clamp(line.speaker, 0, speaker_count_max - 1);
  const std::string& name = clip.names[static_cast<size_t>(speaker)];
  std::string label = " ";
  label.append(std::to_string(speaker + 1)).append(" ");
  if (!name.empty()) label += std::string(utf8_prefix(name, speaker_label_name_bytes)) + " ";
  return label;
}

TableLayout table_layout(const SubtitleClip& clip) {
  const ImGuiStyle& style = ImGui::GetStyle();
  TableLayout layout;
  layout.speaker_button = button_width(" 10 ");
  for (const SubtitleLine& line : clip.lines) {
    layout.speaker_button = std::max(layout.speaker_button, button_width(speaker_label(clip, line).c_str()));
  }
  layout.speaker_column = button_width(">") + style.ItemSpacing.x + layout.speaker_button;
  layout.time_field = ImGui::CalcTextSize("00000.00").x + 2 * style.FramePadding.x;
  layout.end_column = layout.time_field + style.ItemSpacing.x + ImGui::CalcTextSize("000 cps").x;
  return layout;
}

void push_frame_colour(ImU32 colour, int alpha, int hovered_alpha, int active_alpha) {
  ImGui::PushStyleColor(ImGuiCol_FrameBg, editor_colors::with_alpha(colour, alpha));
  ImGui::PushStyleColor(ImGuiCol_FrameBgHovered, editor_colors::with_alpha(colour, hovered_alpha));
  ImGui::PushStyleColor(ImGuiCol_FrameBgActive, editor_colors::with_alpha(colour, active_alpha));
}

void draw_speaker_cell(EditorFrame& frame, int index, const TableLayout& layout) {
  EditorDocument& document = frame.document;
  const SubtitleClip& clip = *document.selected();
  const SubtitleLine& line = clip.lines[static_cast<size_t>(index)];
  if (ImGui::Button(">")) frame.media.play_from_line(index);
  ImGui::SetItemTooltip("Play from this line");
  ImGui::SameLine();
  ImU32 colour = editor_colors::speaker(line.speaker);
  ImGui::PushStyleColor(ImGuiCol_Button, colour);
  ImGui::PushStyleColor(ImGuiCol_ButtonHovered, editor_colors::with_alpha(colour, 215));
  ImGui::PushStyleColor(ImGuiCol_ButtonActive, editor_colors::with_alpha(colour, 170));
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::rgba(0, 0, 0));
  std::string label = speaker_label(clip, line) + "##speaker";
  bool next = ImGui::Button(label.c_str(), ImVec2(layout.speaker_button, 0));
  bool previous = ImGui::IsItemClicked(ImGuiMouseButton_Right);
  ImGui::PopStyleColor(4);
  ImGui::SetItemTooltip("Speaker: click for the next, right-click for the one before (keys 1 to 9, 0 for 10)");
  if (next || previous) {
    document.picked_line = index;
    frame.widget_edit(next ? document.next_speaker(index) : document.previous_speaker(index));
  }
}

// "##start" or "##end": seconds, dragged or typed.
void draw_time_cell(EditorFrame& frame, int index, bool start, const TableLayout& layout) {
  EditorDocument& document = frame.document;
  const SubtitleClip& clip = *document.selected();
  const SubtitleLine& line = clip.lines[static_cast<size_t>(index)];
  bool wrong = line_is_wrong(clip, static_cast<size_t>(index));
  double seconds = (start ? line.start_ms : line.end_ms) / 1000.0;
  if (wrong) push_frame_colour(editor_colors::warning, 120, 160, 200);
  ImGui::SetNextItemWidth(layout.time_field);
  bool changed = ImGui::DragScalar(start ? "##start" : "##end", ImGuiDataType_Double, &seconds, 0.01f, &seconds_min,
                                   &seconds_max, "%.2f", ImGuiSliderFlags_AlwaysClamp);
  if (wrong) ImGui::PopStyleColor(3);
  ImGui::SetItemTooltip("%s", wrong ? "Ends before it starts, or runs into the next line"
                                    : "Drag, or double-click to type (seconds)");
  if (ImGui::IsItemActivated()) document.picked_line = index;
  follow_field_gesture(document);
  if (changed) {
    frame.widget_edit(start ? document.set_line_start(index, seconds) : document.set_line_end(index, seconds));
  }
}

void draw_reading_speed(const SubtitleLine& line) {
  std::optional<std::string> fast = fast_reading_label(line);
  if (!fast) return;
  ImGui::SameLine();
  ImGui::AlignTextToFramePadding();
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::warning);
  ImGui::TextUnformatted(fast->c_str());
  ImGui::PopStyleColor();
  ImGui::SetItemTooltip("%s", fast_reading_tooltip(line).c_str());
}

// The words, then "+" and "x", which change the list of lines: they are
// carried out after the table.
void draw_words_cell(EditorFrame& frame, int index, std::function<void()>& row_change) {
  EditorDocument& document = frame.document;
  const SubtitleLine& line = document.selected()->lines[static_cast<size_t>(index)];
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  float width = ImGui::GetContentRegionAvail().x - button_width("+") - button_width("x") - 2 * spacing;
  int colours = 0;
  if (under_playhead(line, document.playhead_ms)) {
    push_frame_colour(editor_colors::accent, 70, 90, 110);
    colours = 3;
  } else if (index == document.picked_line) {
    push_frame_colour(editor_colors::picked_words, 255, 255, 255);
    colours = 3;
  }
  std::string words = line.text;
  bool edited = input_words("##text", words, words_max_bytes, std::max(width, 4 * frame.m.s));
  ImGui::PopStyleColor(colours);
  mark_found(frame, false, index, line.text);
  if (ImGui::IsItemActivated()) document.picked_line = index;
  follow_field_gesture(document);
  if (edited) frame.widget_edit(document.set_line_text(index, words));

  ImGui::SameLine();
  if (ImGui::Button("+")) row_change = [&frame, index] { frame.widget_edit(frame.document.add_line(index, false)); };
  ImGui::SetItemTooltip("A new line after this one");
  ImGui::SameLine();
  if (ImGui::Button("x")) row_change = [&frame, index] { frame.widget_edit(frame.document.delete_line(index)); };
}

}  // namespace

void draw_line_table(EditorFrame& frame) {
  EditorDocument& document = frame.document;
  const SubtitleClip& clip = *document.selected();
  const TableLayout layout = table_layout(clip);
  std::function<void()> row_change;
  constexpr ImGuiTableFlags flags =
      ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerH | ImGuiTableFlags_PadOuterX | ImGuiTableFlags_NoSavedSettings;
  if (ImGui::BeginTable("##lines", 4, flags)) {
    ImGui::TableSetupColumn("Speaker", ImGuiTableColumnFlags_WidthFixed, layout.speaker_column);
    ImGui::TableSetupColumn("Start s", ImGuiTableColumnFlags_WidthFixed, layout.time_field);
    ImGui::TableSetupColumn("End s", ImGuiTableColumnFlags_WidthFixed, layout.end_column);
    ImGui::TableSetupColumn("Words", ImGuiTableColumnFlags_WidthStretch);
    ImGui::TableHeadersRow();
    for (int i = 0; i < static_cast<int>(clip.lines.size()); ++i) {
      ImGui::TableNextRow();
      ImGui::PushID(i);
      ImGui::TableSetColumnIndex(0);
      draw_speaker_cell(frame, i, layout);
      ImGui::TableSetColumnIndex(1);
      draw_time_cell(frame, i, true, layout);
      ImGui::TableSetColumnIndex(2);
      draw_time_cell(frame, i, false, layout);
      draw_reading_speed(document.selected()->lines[static_cast<size_t>(i)]);
      ImGui::TableSetColumnIndex(3);
      draw_words_cell(frame, i, row_change);
      ImGui::PopID();
    }
    ImGui::EndTable();
  }
  if (row_change) row_change();

  if (ImGui::Button("+ Add a line")) {
    frame.widget_edit(document.add_line(static_cast<int>(document.selected()->lines.size()) - 1, false));
  }
  ImGui::SameLine();
  if (ImGui::Button("+ Add one at the playhead")) {
    frame.widget_edit(document.add_line(line_before(*document.selected(), document.playhead_ms), true));
  }
}

}  // namespace korvix
