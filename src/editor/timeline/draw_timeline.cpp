#include "editor/timeline/draw_timeline.h"

#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <optional>

#include "platform/environment.h"
#include "editor/document/editor_document.h"
#include "editor/media/editor_media.h"
#include "editor/preview/game_look.h"
#include "editor/preview/preview_layout.h"
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
constexpr double drag_start_px = 1;       // a press must move this far before it drags
constexpr double preview_gap = 3;         // between the overview strip and the preview

double timeline_height(double s) { return (ruler_band_rows + lines_band_rows + wave_band_rows) * s; }

ImVec2 at(double x, double y) { return ImVec2(static_cast<float>(x), static_cast<float>(y)); }
ImVec2 top_left(const Box& b) { return at(b.x0, b.y0); }
ImVec2 bottom_right(const Box& b) { return at(b.x1, b.y1); }

void text_at(ImDrawList* list, double size, double x, double y, ImU32 colour, const std::string& text) {
  list->AddText(ImGui::GetFont(), static_cast<float>(size), at(x, y), colour, text.data(), text.data() + text.size());
}

double text_width(std::string_view text, double size) {
  return ImGui::GetFont()
      ->CalcTextSizeA(static_cast<float>(size), FLT_MAX, 0, text.data(), text.data() + text.size())
      .x;
}

void draw_handle(ImDrawList* list, const BoundaryHandle& handle, const Box& lines_band, float scale) {
  float h = static_cast<float>(handle.half);
  ImVec2 c = at(handle.x, handle.y);
  list->AddQuadFilled(ImVec2(c.x, c.y - h), ImVec2(c.x + h, c.y), ImVec2(c.x, c.y + h), ImVec2(c.x - h, c.y),
                      handle.colour);
  if (!handle.lit) return;
  double inset = 3 * scale;
  for (double x : handle.edge_xs)
    list->AddLine(at(x, lines_band.y0 + inset), at(x, lines_band.y1 - inset), editor_colors::accent, 3);
  // Arrows the way a drag moves: outwards from the diamond on each moving side.
  float gap = h + 2 * scale;
  float len = 6 * scale;
  float half = 3.5f * scale;
  if (handle.side != BoundarySide::right)
    list->AddTriangleFilled(ImVec2(c.x - gap - len, c.y), ImVec2(c.x - gap, c.y - half), ImVec2(c.x - gap, c.y + half),
                            editor_colors::accent);
  if (handle.side != BoundarySide::left)
    list->AddTriangleFilled(ImVec2(c.x + gap + len, c.y), ImVec2(c.x + gap, c.y - half), ImVec2(c.x + gap, c.y + half),
                            editor_colors::accent);
}

void draw_look_texts(ImDrawList* list, const std::vector<LookText>& texts, double size) {
  for (const LookText& text : texts) text_at(list, size, text.x, text.y, text.colour, text.text);
}

}  // namespace

bool MediaPlayer::playing() const { return media_.playing(); }
void MediaPlayer::play() { media_.play(); }
void MediaPlayer::pause() { media_.pause(); }
void MediaPlayer::scrub_to(double ms) { media_.scrub_to(ms); }
double MediaPlayer::last_scrub_ms() const { return media_.last_scrub_ms(); }

TimelineUi::TimelineUi(EditorDocument& document, EditorMedia& media)
    : document_(document),
      media_(media),
      player_(media),
      drag_(document, player_),
      seek_(env_var(editor_seek_variable)) {}

void TimelineUi::tick() { seek_.run(media_.sound_ready(), document_, player_); }

float TimelineUi::area_height(const EditorSizes& sizes, float width, float room) {
  const float scale = sizes.scale;
  const double s = sizes.s;
  const double above = timeline_height(s) + (overview_height + preview_gap) * scale;
  picture_.reset();
  const SubtitleClip* clip = document_.selected();
  if (clip && clip->kind == ClipKind::video) picture_ = media_.movie_picture(document_.playhead_ms);
  std::optional<PictureSize> size;
  if (picture_) size = PictureSize{picture_->width, picture_->height};
  preview_height_ =
      preview_box_height(size, document_.view.preview_height, ImGui::GetIO().DisplaySize.y, width, room - above, s);
  return static_cast<float>(above + preview_height_ + preview_split_height * scale);
}

bool TimelineUi::draw_area(const EditorSizes& sizes, float left, float top, float width) {
  const float scale = sizes.scale;
  if (!document_.selected()) return false;
  width = std::max(width, static_cast<float>(timeline_min_width));
  bool changed = false;
  float bottom = draw_timeline(changed, sizes, left, top, width);
  const SubtitleClip* clip = document_.selected();
  bottom = draw_overview(sizes, left, bottom, width, total_span_ms(*clip, media_.sound()));
  document_.view_start_ms = view_.start_ms;
  document_.view_width_ms = view_.width_ms;
  draw_preview(sizes, left, bottom + static_cast<float>(preview_gap * scale), width);
  return changed;
}

float TimelineUi::draw_timeline(bool& changed, const EditorSizes& sizes, float left, float top, float width) {
  const float scale = sizes.scale;
  const SubtitleClip* clip = document_.selected();
  ImGuiIO& io = ImGui::GetIO();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const double s = sizes.s;
  const DecodedSound* sound = media_.sound();
  const double span = total_span_ms(*clip, sound);
  TimelineView view = fitted_view({document_.view_start_ms, document_.view_width_ms}, span);
  const TimelineBands bands = timeline_bands(left, top, width, s);
  const ImVec2 mouse = io.MousePos;

  ImGui::SetCursorScreenPos(at(left, top));
  ImGui::InvisibleButton("##timeline", at(width, bands.whole.height()));
  // The wheel zooms and pans here instead of scrolling the pane.
  ImGui::SetItemKeyOwner(ImGuiKey_MouseWheelY);
  ImGui::SetItemKeyOwner(ImGuiKey_MouseWheelX);
  const bool hovered = ImGui::IsItemHovered();
  if (hovered && (io.MouseWheel != 0 || io.MouseWheelH != 0)) {
    if (io.KeyShift || io.MouseWheelH != 0)
      view = pan_view(view, io.MouseWheelH != 0 ? io.MouseWheelH : io.MouseWheel, span);
    else
      view = zoom_view(view, io.MouseWheel, mouse.x, left, width, span);
  }

  TimeAxis axis{left, width, view.start_ms, view.width_ms};
  const bool in_lines = bands.lines.contains(mouse.x, mouse.y);
  TimelineHit hover;
  if (hovered && in_lines && !drag_.active()) hover = hit_test(clip->lines, axis, mouse.x, edge_tolerance_px * scale);
  TimelineFrame frame{axis, span, sizes, axis.time_at(mouse.x)};
  if (ImGui::IsItemActivated())
    changed |= drag_.press(frame, hover, ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left), in_lines);
  // A press that doesn't move is a click: the line keeps its times.
  if (ImGui::IsItemActive() && drag_.active() && ImGui::IsMouseDragging(ImGuiMouseButton_Left, drag_start_px)) {
    changed |= drag_.hold(frame, io.KeyAlt);
    view = edge_scroll(view, mouse.x, left, width, span);
  }
  if (ImGui::IsItemDeactivated()) drag_.release();
  if (media_.playing() && !drag_.active()) view = follow_playhead(view, document_.playhead_ms, span);
  if (resizes(drag_.active() ? drag_.mode() : hover.mode)) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeEW);

  // The clip may have changed above (a line added, lines sorted).
  clip = document_.selected();
  TimelineInput input;
  input.clip = clip;
  input.sound = sound;
  input.axis = {left, width, view.start_ms, view.width_ms};
  input.top = top;
  input.sizes = sizes;
  input.picked_line = document_.picked_line;
  input.playhead_ms = document_.playhead_ms;
  bool line_drag = drag_.active() && drag_.mode() != DragMode::scrub;
  input.lit = line_drag ? TimelineHit{drag_.mode(), drag_.line(), drag_.boundary(), drag_.side()} : hover;
  if (hovered && !drag_.active()) input.hover_x = mouse.x;
  const TimelineLayout layout = layout_timeline(input);

  list->AddRectFilled(top_left(bands.whole), bottom_right(bands.whole), timeline_background, 4 * scale);
  list->AddRectFilled(top_left(bands.wave), bottom_right(bands.wave), wave_background);
  list->PushClipRect(top_left(bands.whole), bottom_right(bands.whole), true);
  for (const RulerTick& tick : layout.ticks) {
    list->AddLine(at(tick.x, layout.tick_top), at(tick.x, bands.ruler.y1), tick_colour);
    text_at(list, ruler_label_rows * s, tick.x + 3 * scale, bands.ruler.y0 + scale, editor_colors::dim, tick.label);
  }
  for (const WaveColumn& column : layout.wave)
    list->AddRectFilled(at(column.x, column.y0), at(column.x + 1, column.y1), wave_colour);
  if (!sound) {
    const char* note = media_.fetching_sound() ? "Getting the sound..." : "No sound";
    double w = text_width(note, s);
    text_at(list, s, (bands.wave.x0 + bands.wave.x1 - w) / 2, (bands.wave.y0 + bands.wave.y1 - s) / 2,
            editor_colors::dim, note);
  }
  const float rounding = 3 * scale;
  for (const LineBox& box : layout.boxes) {
    list->AddRectFilled(top_left(box.column), bottom_right(box.column), box.column_fill);
    list->AddRectFilled(top_left(box.box), bottom_right(box.box), box.fill, rounding);
    list->AddRect(top_left(box.box), bottom_right(box.box), box.outline, rounding, 0,
                  static_cast<float>(box.outline_width));
    list->PushClipRect(top_left(box.label_clip), bottom_right(box.label_clip), true);
    text_at(list, s, box.label_x, box.label_y, box.label_colour, box.label);
    list->PopClipRect();
  }
  for (const BoundaryHandle& handle : layout.handles) draw_handle(list, handle, bands.lines, scale);
  if (layout.hover_x)
    list->AddLine(at(*layout.hover_x, bands.whole.y0), at(*layout.hover_x, bands.whole.y1), hover_colour);
  const double px = layout.playhead_x;
  list->AddLine(at(px, bands.whole.y0), at(px, bands.whole.y1), editor_colors::accent, 2);
  list->AddTriangleFilled(at(px - 6 * scale, bands.whole.y0), at(px + 6 * scale, bands.whole.y0),
                          at(px, bands.whole.y0 + 8 * scale), editor_colors::accent);
  list->PopClipRect();
  view_ = view;
  return static_cast<float>(bands.whole.y1);
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

void TimelineUi::draw_preview(const EditorSizes& sizes, float left, float top, float width) {
  const float scale = sizes.scale;
  const SubtitleClip* clip = document_.selected();
  ImGuiIO& io = ImGui::GetIO();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const double s = sizes.s;
  const Box box{left, top, left + width, top + preview_height_};
  list->AddRectFilled(top_left(box), bottom_right(box), preview_background, 6 * scale);

  const std::vector<size_t> under = lines_under(*clip, document_.playhead_ms);
  const MeasureAt measure = [](std::string_view text, double font_size) { return text_width(text, font_size); };
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
    draw_look_texts(list, game.texts, game.font_size);
  } else {
    const PlainPreview plain = layout_plain_preview(box, *clip, under, s, measure);
    draw_look_texts(list, plain.texts, plain.font_size);
    if (clip->kind == ClipKind::video && media_.fetching_pictures())
      text_at(list, 0.85 * s, box.x0 + 6 * scale, box.y0 + 4 * scale, editor_colors::dim, getting_pictures);
  }
  list->PopClipRect();

  // The splitter under the box: its height follows the mouse, saved on release.
  const double split_height = preview_split_height * scale;
  ImGui::SetCursorScreenPos(at(left, box.y1));
  ImGui::InvisibleButton("##preview-split", at(width, split_height));
  const bool held = ImGui::IsItemActive();
  if (held || ImGui::IsItemHovered()) ImGui::SetMouseCursor(ImGuiMouseCursor_ResizeNS);
  if (held && io.MouseDelta.y != 0)
    document_.view.preview_height =
        dragged_preview_share(document_.view.preview_height, io.MouseDelta.y, io.DisplaySize.y);
  if (ImGui::IsItemDeactivated()) document_.save_view();
  const double middle = box.y1 + split_height / 2;
  list->AddLine(at(left + 0.45 * width, middle), at(left + 0.55 * width, middle),
                held ? editor_colors::accent : editor_colors::dim, 2 * scale);
}

}  // namespace korvix
