#include "editor/timeline/draw_timeline.h"

#include <imgui.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/environment.h"
#include "editor/document/editor_document.h"
#include "editor/media/editor_media.h"
#include "editor/preview/game_look.h"
#include "editor/preview/preview_layout.h"
#include "editor/timeline/draw_text.h"
#include "editor/timeline/timeline_gestures.h"
#include "editor/timeline/timeline_layout.h"

namespace korvix {

namespace {

using editor_colors::rgba;

constexpr ImU32 timeline_background = rgba(12, 20, 46);
constexpr ImU32 wave_background = rgba(6, 12, 30);
constexpr ImU32 wave_colour = rgba(110, 170, 255, 199);
constexpr ImU32 tick_colour = rgba(255, 255, 255, 50);
constexpr ImU32 hover_colour = rgba(255, 255, 255, 70);
constexpr ImU32 overview_bar = rgba(24, 36, 70);
constexpr ImU32 preview_background = rgba(0, 0, 0, 199);
constexpr double ruler_label_rows = 0.7;  // of s
constexpr double preview_gap = 3;         // between the overview strip and the preview

double timeline_height(double s) { return (ruler_band_rows + lines_band_rows + wave_band_rows) * s; }

ImVec2 at(double x, double y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); }
ImVec2 top_left(const Box& b) { return at(b.x0, b.y0); }
ImVec2 bottom_right(const Box& b) { return at(b.x1, b.y1); }

void text_at(ImDrawList* list, double size, double x, double y, ImU32 colour, const std::string& text) {
  list->AddText(ImGui::GetFont(), static_cast<float>(size), at(x, y), colour, text.data(), text.data() + text.size());
}

// ---- Input

// The timeline's button over the whole of it, and the mouse as it saw it.
// The wheel zooms and pans here instead of scrolling the pane.
TimelinePointer read_timeline_pointer(const Box& whole) {
  ImGui::SetCursorScreenPos(top_left(whole));
  ImGui::InvisibleButton("##timeline", at(whole.width(), whole.height()));
  ImGui::SetItemKeyOwner(ImGuiKey_MouseWheelY);
  ImGui::SetItemKeyOwner(ImGuiKey_MouseWheelX);
  const ImGuiIO& io = ImGui::GetIO();
  TimelinePointer pointer;
  pointer.x = io.MousePos.x;
  pointer.y = io.MousePos.y;
  pointer.hovered = ImGui::IsItemHovered();
  pointer.wheel = io.MouseWheel;
  pointer.wheel_h = io.MouseWheelH;
  pointer.shift = io.KeyShift;
  pointer.alt = io.KeyAlt;
  pointer.pressed = ImGui::IsItemActivated();
  pointer.double_click = ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left);
  pointer.dragging = ImGui::IsItemActive() && ImGui::IsMouseDragging(ImGuiMouseButton_Left, drag_start_px);
  pointer.released = ImGui::IsItemDeactivated();
  return pointer;
}

// ---- Painting: each walks the layout's records

void paint_ruler(ImDrawList* list, const TimelineLayout& layout, const EditorSizes& sizes) {
  const Box& ruler = layout.bands.ruler;
  for (const RulerTick& tick : layout.ticks) {
    list->AddLine(at(tick.x, layout.tick_top), at(tick.x, ruler.y1), tick_colour);
    text_at(list, ruler_label_rows * sizes.s, tick.x + sizes.px(3), ruler.y0 + sizes.scale, editor_colors::dim,
            tick.label);
  }
}

// Without the sound, `note` says why in the middle of the band.
void paint_wave(ImDrawList* list, const TimelineLayout& layout, const EditorSizes& sizes, const char* note) {
  for (const WaveColumn& column : layout.wave)
    list->AddRectFilled(at(column.x, column.y0), at(column.x + 1, column.y1), wave_colour);
  if (!note) return;
  const Box& wave = layout.bands.wave;
  const double s = sizes.s;
  text_at(list, s, (wave.x0 + wave.x1 - text_width(note, static_cast<float>(s))) / 2, (wave.y0 + wave.y1 - s) / 2, editor_colors::dim,
          note);
}

void paint_line_boxes(ImDrawList* list, const std::vector<LineBox>& boxes, const EditorSizes& sizes) {
  const float rounding = sizes.px(3);
  for (const LineBox& box : boxes) {
    list->AddRectFilled(top_left(box.column), bottom_right(box.column), box.column_fill);
    list->AddRectFilled(top_left(box.box), bottom_right(box.box), box.fill, rounding);
    list->AddRect(top_left(box.box), bottom_right(box.box), box.outline, rounding, 0,
                  static_cast<float>(box.outline_width));
    list->PushClipRect(top_left(box.label_clip), bottom_right(box.label_clip), true);
    text_at(list, sizes.s, box.label_x, box.label_y, box.label_colour, box.label);
    list->PopClipRect();
  }
}

void paint_handle(ImDrawList* list, const BoundaryHandle& handle, const Box& lines_band, const EditorSizes& sizes) {
  float h = static_cast<float>(handle.half);
  ImVec2 c = at(handle.x, handle.y);
  list->AddQuadFilled(ImVec2(c.x, c.y - h), ImVec2(c.x + h, c.y), ImVec2(c.x, c.y + h), ImVec2(c.x - h, c.y),
                      handle.colour);
  if (!handle.lit) return;
  double inset = sizes.px(3);
  for (double x : handle.edge_xs)
    list->AddLine(at(x, lines_band.y0 + inset), at(x, lines_band.y1 - inset), editor_colors::accent, 3);
  // Arrows the way a drag moves: outwards from the diamond on each moving side.
  float gap = h + sizes.px(2);
  float len = sizes.px(6);
  float half = sizes.px(3.5f);
  if (handle.side != BoundarySide::right)
    list->AddTriangleFilled(ImVec2(c.x - gap - len, c.y), ImVec2(c.x - gap, c.y - half), ImVec2(c.x - gap, c.y + half),
                            editor_colors::accent);
  if (handle.side != BoundarySide::left)
    list->AddTriangleFilled(ImVec2(c.x + gap + len, c.y), ImVec2(c.x + gap, c.y - half), ImVec2(c.x + gap, c.y + half),
                            editor_colors::accent);
}

// The line under the mouse, then the playhead with its marker on the ruler.
void paint_playhead(ImDrawList* list, const TimelineLayout& layout, const EditorSizes& sizes) {
  const Box& whole = layout.bands.whole;
  if (layout.hover_x) list->AddLine(at(*layout.hover_x, whole.y0), at(*layout.hover_x, whole.y1), hover_colour);
  const double px = layout.playhead_x;
  list->AddLine(at(px, whole.y0), at(px, whole.y1), editor_colors::accent, 2);
  list->AddTriangleFilled(at(px - sizes.px(6), whole.y0), at(px + sizes.px(6), whole.y0),
                          at(px, whole.y0 + sizes.px(8)), editor_colors::accent);
}

void paint_timeline(ImDrawList* list, const TimelineLayout& layout, const EditorSizes& sizes, const char* note) {
  const TimelineBands& bands = layout.bands;
  list->AddRectFilled(top_left(bands.whole), bottom_right(bands.whole), timeline_background, sizes.px(4));
  list->AddRectFilled(top_left(bands.wave), bottom_right(bands.wave), wave_background);
  list->PushClipRect(top_left(bands.whole), bottom_right(bands.whole), true);
  paint_ruler(list, layout, sizes);
  paint_wave(list, layout, sizes, note);
  paint_line_boxes(list, layout.boxes, sizes);
  for (const BoundaryHandle& handle : layout.handles) paint_handle(list, handle, bands.lines, sizes);
  paint_playhead(list, layout, sizes);
  list->PopClipRect();
}

void paint_look_texts(ImDrawList* list, const std::vector<LookText>& texts, double size) {
  for (const LookText& text : texts) text_at(list, size, text.x, text.y, text.colour, text.text);
}

}  // namespace

TimelineUi::TimelineUi(EditorDocument& document, EditorMedia& media)
    : document_(document),
      media_(media),
      drag_(document, media),
      seek_(env_var(editor_seek_variable)) {}

void TimelineUi::tick() { seek_.run(media_.sound_ready(), document_, media_); }

void TimelineUi::prepare_picture() {
  picture_.reset();
  const SubtitleClip* clip = document_.selected();
  if (clip && clip->kind == ClipKind::video) picture_ = media_.movie_picture(document_.playhead_ms);
}

float TimelineUi::area_height(const EditorSizes& sizes, float width, float room) {
  const double above = timeline_height(sizes.s) + sizes.px(overview_height + preview_gap);
  std::optional<PictureSize> size;
  if (picture_) size = PictureSize{picture_->width, picture_->height};
  preview_height_ = preview_box_height(size, document_.view.preview_height, ImGui::GetIO().DisplaySize.y, width,
                                       room - above, sizes.s);
  return static_cast<float>(above + preview_height_ + sizes.px(preview_split_height));
}

bool TimelineUi::draw_area(const EditorSizes& sizes, float left, float top, float width) {
  if (!document_.selected()) return false;
  width = std::max(width, static_cast<float>(timeline_min_width));
  bool changed = false;
  float bottom = draw_timeline(changed, sizes, left, top, width);
  const SubtitleClip* clip = document_.selected();
  bottom = draw_overview(sizes, left, bottom, width, total_span_ms(*clip, media_.sound()));
  document_.view_start_ms = view_.start_ms;
  document_.view_width_ms = view_.width_ms;
  const double preview_bottom = draw_preview(sizes, left, bottom + sizes.px(preview_gap), width);
  draw_preview_splitter(sizes, left, preview_bottom, width);
  return changed;
}

float TimelineUi::draw_timeline(bool& changed, const EditorSizes& sizes, float left, float top, float width) {
  const DecodedSound* sound = media_.sound();
  const double span = total_span_ms(*document_.selected(), sound);
  const TimelineBands bands = timeline_bands(left, top, width, sizes.s);

  const TimelinePointer pointer = read_timeline_pointer(bands.whole);
  const TimelineView kept = fitted_view({document_.view_start_ms, document_.view_width_ms}, span);
  const TimelineGestures gestures =
      run_timeline_gestures(pointer, kept, bands, span, sizes, drag_, media_, document_);
  changed |= gestures.changed;
  if (gestures.resize_cursor) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeEW);
  view_ = gestures.view;

  const TimelineLayout layout = layout_timeline(layout_input(pointer, gestures, sound, sizes, bands.whole));
  const char* note = sound ? nullptr : media_.fetching_sound() ? "Getting the sound..." : "No sound";
  paint_timeline(ImGui::GetWindowDrawList(), layout, sizes, note);
  return static_cast<float>(bands.whole.y1);
}

TimelineInput TimelineUi::layout_input(const TimelinePointer& pointer, const TimelineGestures& gestures,
                                       const DecodedSound* sound, const EditorSizes& sizes, const Box& whole) const {
  TimelineInput input;
  input.clip = document_.selected();  // the gestures may have changed it (a line added, lines sorted)
  input.sound = sound;
  input.axis = {whole.x0, whole.width(), view_.start_ms, view_.width_ms};
  input.top = whole.y0;
  input.sizes = sizes;
  input.picked_line = document_.picked_line;
  input.playhead_ms = document_.playhead_ms;
  const bool line_drag = drag_.active() && drag_.mode() != DragMode::scrub;
  input.lit = line_drag ? TimelineHit{drag_.mode(), drag_.line(), drag_.boundary(), drag_.side()} : gestures.hover;
  if (pointer.hovered && !drag_.active()) input.hover_x = pointer.x;
  return input;
}

float TimelineUi::draw_overview(const EditorSizes& sizes, float left, float top, float width, double span) {
  // All of D; pressing or dragging centres the view there.
  ImGui::SetCursorScreenPos(at(left, top));
  ImGui::InvisibleButton("##overview", at(width, sizes.px(overview_height)));
  if (ImGui::IsItemActive())
    view_ = centre_view_on(view_, overview_time_at(ImGui::GetIO().MousePos.x, left, width, span), span);
  const OverviewLayout overview =
      layout_overview(*document_.selected(), span, view_, document_.playhead_ms, left, top, width, sizes);
  ImDrawList* list = ImGui::GetWindowDrawList();
  list->AddRectFilled(top_left(overview.bar), bottom_right(overview.bar), overview_bar,
                      static_cast<float>(overview.bar.height() / 2));
  for (const OverviewBox& box : overview.lines)
    list->AddRectFilled(top_left(box.box), bottom_right(box.box), box.colour);
  list->AddRect(top_left(overview.view_frame), bottom_right(overview.view_frame), editor_colors::accent, 0, 0, 1.5f);
  list->AddLine(at(overview.playhead_x, overview.strip.y0), at(overview.playhead_x, overview.strip.y1),
                editor_colors::accent);
  return static_cast<float>(overview.strip.y1);
}

double TimelineUi::draw_preview(const EditorSizes& sizes, float left, float top, float width) {
  const SubtitleClip* clip = document_.selected();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const Box box{left, top, left + width, top + preview_height_};
  list->AddRectFilled(top_left(box), bottom_right(box), preview_background, sizes.px(6));

  const std::vector<size_t> under = lines_under(*clip, document_.playhead_ms);
  const MeasureAt measure = [](std::string_view text, double font_size) {
    return text_width(text, static_cast<float>(font_size));
  };
  list->PushClipRect(top_left(box), bottom_right(box), true);
  if (picture_) {
    const Box shown = picture_rect(box, PictureSize{picture_->width, picture_->height});
    list->AddImage(ImTextureRef(static_cast<ImTextureID>(reinterpret_cast<intptr_t>(picture_->texture))),
                   top_left(shown), bottom_right(shown));
    const GameLookSettings look = read_game_look(document_.look());
    const GameLookLayout game = layout_game_look(widest_16_9(box), look_lines(*clip, under, look), look, measure);
    for (const LookBox& shade : game.shading)
      list->AddRectFilled(top_left(shade.box), bottom_right(shade.box), shade.colour,
                          static_cast<float>(shade.rounding));
    paint_look_texts(list, game.texts, game.font_size);
  } else {
    const PlainPreview plain = layout_plain_preview(box, *clip, under, sizes.s, measure);
    paint_look_texts(list, plain.texts, plain.font_size);
    if (clip->kind == ClipKind::video && media_.fetching_pictures())
      text_at(list, 0.85 * sizes.s, box.x0 + sizes.px(6), box.y0 + sizes.px(4), editor_colors::dim, getting_pictures);
  }
  list->PopClipRect();
  return box.y1;
}

void TimelineUi::draw_preview_splitter(const EditorSizes& sizes, float left, double top, float width) {
  // Its height follows the mouse, saved on release.
  const ImGuiIO& io = ImGui::GetIO();
  const double split_height = sizes.px(preview_split_height);
  ImGui::SetCursorScreenPos(at(left, top));
  ImGui::InvisibleButton("##preview-split", at(width, split_height));
  const bool held = ImGui::IsItemActive();
  if (held || ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeNS);
  if (held && io.MouseDelta.y != 0)
    document_.view.preview_height =
        dragged_preview_share(document_.view.preview_height, io.MouseDelta.y, io.DisplaySize.y);
  if (ImGui::IsItemDeactivated()) document_.save_view();
  const double middle = top + split_height / 2;
  ImGui::GetWindowDrawList()->AddLine(at(left + 0.45 * width, middle), at(left + 0.55 * width, middle),
                                      held ? editor_colors::accent : editor_colors::dim, sizes.px(2));
}

}  // namespace korvix
