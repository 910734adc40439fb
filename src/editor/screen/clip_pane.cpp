// The right pane for the selected clip: its header, the transport row, the
// edit row, the speakers, the timeline's area, the line table and the help.
#include <imgui.h>

#include <array>
#include <string>

#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"
#include "editor/screen/timeline_area.h"
#include "editor/screen/screen_texts.h"

namespace korvix {

namespace {

constexpr const char* help_text =
    "Timeline: click or drag to scrub (you hear it as you go), drag a line to move it or its ends to retime it, "
    "double-click a line to play it or an empty spot to add one; wheel zooms, Shift+wheel pans. Space plays / "
    "pauses, Left / Right step (Shift: a second), [ and ] set the picked line's start and end at the playhead, Up / "
    "Down pick a line, / splits it at the playhead, M joins it to the next, L loops it. Dragged edges snap to other "
    "lines and the playhead (Alt: not). Speakers: 1 white, 2 yellow, 3 pink, 4 green, then sky blue, orange, "
    "lavender, coral, mint and sand (click for the next, right-click for the one before, or the keys 1 to 9 and 0); "
    "+ adds one, up to ten; type their names in above the timeline (or pick one used before) to show them before "
    "their lines. Movies: the picture at the playhead, under the timeline. Page Up / Down: the previous / next clip. "
    "Ctrl+Z / Ctrl+Y undo and redo, Ctrl+S saves. Ctrl+F finds, Ctrl+H replaces, F3 / Shift+F3: the next / "
    "previous match.";

struct Speed {
  float value;
  const char* label;
};
constexpr std::array<Speed, 3> speeds = {{{0.5f, "0.5x"}, {0.75f, "0.75x"}, {1.0f, "1x"}}};

int speed_index(float speed) {
  for (size_t i = 0; i < speeds.size(); ++i) {
    if (speeds[i].value == speed) return static_cast<int>(i);
  }
  return static_cast<int>(speeds.size()) - 1;
}

void draw_header(const SubtitleClip& clip) {
  std::string kind(kind_word(clip.kind));
  ImGui::TextWrapped("%s   %s, %s", clip.source.c_str(), kind.c_str(), format_time(clip.length_ms, true).c_str());
}

}  // namespace

void draw_transport_row(EditorFrame& frame) {
  EditorMedia& media = frame.media;
  EditorDocument& document = frame.document;
  const SubtitleClip& clip = *document.selected();
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  FlowRow row;

  const char* play = media.playing() ? "Pause###play" : "Play###play";
  row.place(button_width("Pause") + spacing + button_width("|<"));
  if (ImGui::Button(play)) toggle_playing(frame.transport);
  ImGui::SameLine();
  if (ImGui::Button("|<")) {
    media.pause();
    document.playhead_ms = 0;
  }

  std::string time = transport_time(document.playhead_ms, clip, media.sound());
  row.place(ImGui::CalcTextSize(time.c_str()).x);
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted(time.c_str());

  row.place(frame.m.px(70));
  ImGui::SetNextItemWidth(frame.m.px(70));
  int speed = speed_index(media.speed);
  if (ImGui::BeginCombo("##speed", speeds[static_cast<size_t>(speed)].label)) {
    for (size_t i = 0; i < speeds.size(); ++i) {
      if (ImGui::Selectable(speeds[i].label, static_cast<int>(i) == speed) && static_cast<int>(i) != speed) {
        restart_playing_after(frame.transport, [&] { media.speed = speeds[i].value; });
      }
    }
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip("Playing speed");

  row.place(checkbox_width("Loop line"));
  bool loop = media.looping();
  if (ImGui::Checkbox("Loop line", &loop)) restart_playing_after(frame.transport, [&] { media.set_looping(loop); });
  ImGui::SetItemTooltip("Play the picked line over and over (L)");

  row.place(button_width("Fit") + spacing + button_width("Look..."));
  if (ImGui::Button("Fit")) document.view_width_ms = 0;
  ImGui::SameLine();
  if (button_with_tooltip("Look...", "How the subtitles look in game (the preview shows it)")) {
    ImGui::OpenPopup("##look");
  }
  draw_look_panel(frame);
}

void draw_edit_row(EditorFrame& frame) {
  EditorDocument& document = frame.document;
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  FlowRow row;
  bool no_line = document.picked_line < 0;
  row.place(button_width("Start here [") + spacing + button_width("End here ]"));
  ImGui::BeginDisabled(no_line);
  if (ImGui::Button("Start here [")) frame.widget_edit(document.set_start_here());
  ImGui::SameLine();
  if (ImGui::Button("End here ]")) frame.widget_edit(document.set_end_here());
  ImGui::EndDisabled();

  row.place(button_width("Split /") + spacing + button_width("Join next"));
  if (button_with_tooltip("Split /", "Split the picked line in two at the playhead (its words too)")) {
    frame.widget_edit(document.split_line());
  }
  ImGui::SameLine();
  if (button_with_tooltip("Join next", "Join the picked line and the one after it (M)")) {
    frame.widget_edit(document.join_next());
  }

  row.place(checkbox_width("Corrected by hand"));
  bool corrected = document.selected()->edited;
  if (ImGui::Checkbox("Corrected by hand", &corrected)) frame.widget_edit(document.set_corrected(corrected));
  ImGui::SetItemTooltip("Kept as it is when the subtitles are made again.");
}

void draw_clip_pane(EditorFrame& frame) {
  const SubtitleClip* clip = frame.document.selected();
  if (!clip) {
    ImGui::TextDisabled("Choose a clip on the left.");
    return;
  }
  draw_header(*clip);
  draw_transport_row(frame);
  draw_edit_row(frame);
  ImGui::Spacing();
  draw_speakers_panel(frame);
  ImGui::Spacing();
  // The timeline's rectangle, reserved whatever it draws.
  const float width = ImGui::GetContentRegionAvail().x;
  const ImVec2 at = ImGui::GetCursorScreenPos();
  prepare_timeline_area(frame);
  const ImRect area(at, offset(at, width, timeline_area_height(frame, width)));
  frame.widget_edit(draw_timeline_area(frame, area));
  ImGui::SetCursorScreenPos(at);
  ImGui::Dummy(area.GetSize());
  ImGui::Spacing();
  draw_line_table(frame);
  ImGui::Spacing();
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::dim);
  ImGui::TextWrapped("%s", help_text);
  ImGui::PopStyleColor();
}

}  // namespace korvix
