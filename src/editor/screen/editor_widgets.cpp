#include "editor/screen/editor_widgets.h"

#include <imgui_internal.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "editor/document/editor_document.h"
#include "editor/screen/editor_style.h"
#include "editor/document/soft_wrap.h"
#include "editor/document/typed_text.h"
#include "editor/timeline/draw_text.h"

namespace korvix {

namespace {

// The bytes a field may hold: the typing limit, or a longer text's own length
// as it was when the field got the keyboard, so deleting from a long text and
// typing again never loses room.
size_t field_room(const char* label, const std::string& text, size_t max_typed) {
  static ImGuiID active = 0;
  static size_t room = 0;
  const ImGuiID id = ImGui::GetID(label);
  const size_t wanted = std::max(max_typed, text.size());
  if (ImGui::GetActiveID() != id) {
    if (active == id) active = 0;
    return wanted;
  }
  if (active != id) {
    active = id;
    room = wanted;
  }
  room = std::max(room, wanted);
  return room;
}

// The buffer a field edits: the text, with its room to type.
std::string field_buffer(const char* label, const std::string& text, size_t max_typed) {
  std::string buffer = text;
  buffer.resize(field_room(label, text, max_typed) + 1, '\0');
  return buffer;
}

// The width of a field's text, in the field's font.
float field_text_width(std::string_view text) { return text_width(text, ImGui::GetFontSize()); }

struct WrapWidth {
  float width;
};

// Each frame of the field: its rows wrapped again at the width, in place.
int rewrap(ImGuiInputTextCallbackData* data) {
  const WrapWidth& wrap = *static_cast<const WrapWidth*>(data->UserData);
  std::string_view text(data->Buf, static_cast<size_t>(data->BufTextLen));
  std::string wrapped(text);
  apply_soft_breaks(wrapped, soft_breaks(text, wrap.width, field_text_width));
  if (wrapped != text) {
    std::memcpy(data->Buf, wrapped.data(), wrapped.size());
    data->BufDirty = true;
  }
  return 0;
}

float inner_width(float width) { return std::max(1.0f, width - 2.0f * ImGui::GetStyle().FramePadding.x - 2.0f); }

// Where the field just drawn paints its text: a multi-line field in a child
// window of its own (drawn over this one), a one-line field in this window.
struct FieldCanvas {
  ImDrawList* draw;
  ImVec2 text_origin;
  ImRect clip;
};

FieldCanvas last_field_canvas() {
  ImGuiWindow* window = ImGui::GetCurrentWindow();
  const ImGuiID id = ImGui::GetItemID();
  const ImVec2 padding = ImGui::GetStyle().FramePadding;
  for (int i = window->DC.ChildWindows.Size; i-- > 0;) {
    ImGuiWindow* child = window->DC.ChildWindows[i];
    if (child->ChildId == id) {
      return {child->DrawList, offset(child->DC.CursorStartPos, padding.x, padding.y), child->ClipRect};
    }
  }
  ImRect field(ImGui::GetItemRectMin(), ImGui::GetItemRectMax());
  const ImVec2 origin = offset(field.Min, padding.x, padding.y);
  field.ClipWith(window->ClipRect);
  return {window->DrawList, origin, field};
}

// Copy and Cut in the words field give the words as stored: its line breaks
// are only where the field wraps the words, at spaces.
using SetClipboard = void (*)(ImGuiContext*, const char*);
SetClipboard words_clipboard_target = nullptr;

void set_clipboard_words(ImGuiContext* context, const char* text) {
  std::string words = text;
  std::replace(words.begin(), words.end(), '\n', ' ');
  words_clipboard_target(context, words.c_str());
}

class WordsClipboard {
 public:
  WordsClipboard() : platform_(ImGui::GetPlatformIO()), passed_(platform_.Platform_SetClipboardTextFn) {
    if (!passed_) return;
    words_clipboard_target = passed_;
    platform_.Platform_SetClipboardTextFn = set_clipboard_words;
  }
  ~WordsClipboard() {
    if (passed_) platform_.Platform_SetClipboardTextFn = passed_;
  }
  WordsClipboard(const WordsClipboard&) = delete;
  WordsClipboard& operator=(const WordsClipboard&) = delete;

 private:
  ImGuiPlatformIO& platform_;
  SetClipboard passed_;
};

}  // namespace

bool input_string(const char* label, std::string& text, size_t max_typed, ImGuiInputTextFlags flags,
                  const char* hint) {
  std::string buffer = field_buffer(label, text, max_typed);
  bool edited = hint ? ImGui::InputTextWithHint(label, hint, buffer.data(), buffer.size(), flags)
                     : ImGui::InputText(label, buffer.data(), buffer.size(), flags);
  if (edited) text = buffer.c_str();
  return edited;
}

float words_field_height(const std::string& text, float width) {
  size_t rows = soft_breaks(text, inner_width(width), field_text_width).size() + 1;
  return static_cast<float>(rows) * ImGui::GetTextLineHeight() + 2.0f * ImGui::GetStyle().FramePadding.y + 1.0f;
}

bool input_words(const char* label, std::string& text, size_t max_typed, float width) {
  WrapWidth wrap{inner_width(width)};
  std::string buffer = field_buffer(label, text, max_typed);
  apply_soft_breaks(buffer, soft_breaks(text, wrap.width, field_text_width));
  ImGuiInputTextFlags flags = ImGuiInputTextFlags_CtrlEnterForNewLine | ImGuiInputTextFlags_CallbackAlways;
  WordsClipboard clipboard;
  bool edited = ImGui::InputTextMultiline(label, buffer.data(), buffer.size(),
                                          ImVec2(width, words_field_height(text, width)), flags, rewrap, &wrap);
  if (!edited) return false;
  std::string typed = one_line(buffer.c_str());
  if (typed == text) return false;
  text = std::move(typed);
  return true;
}

void mark_text_range(const std::string& text, size_t start, size_t end, bool wrapped, ImU32 fill, ImU32 ink) {
  const float row_height = ImGui::GetTextLineHeight();
  std::vector<size_t> breaks;
  if (wrapped) breaks = soft_breaks(text, inner_width(ImGui::GetItemRectSize().x), field_text_width);
  const FieldCanvas canvas = last_field_canvas();
  ImDrawList* draw = canvas.draw;
  draw->PushClipRect(canvas.clip.Min, canvas.clip.Max);
  std::string_view all(text);
  size_t row_start = 0;
  for (size_t row = 0; row <= breaks.size() && row_start <= all.size(); ++row) {
    size_t row_end = row < breaks.size() ? breaks[row] : all.size();
    size_t from = std::max(start, row_start);
    size_t to = std::min(end, row_end);
    if (from < to) {
      std::string_view marked = all.substr(from, to - from);
      float x = canvas.text_origin.x + field_text_width(all.substr(row_start, from - row_start));
      float y = canvas.text_origin.y + static_cast<float>(row) * row_height;
      draw->AddRectFilled(ImVec2(x - 1, y), ImVec2(x + field_text_width(marked) + 1, y + row_height), fill, 2.0f);
      draw->AddText(ImVec2(x, y), ink, marked.data(), marked.data() + marked.size());
    }
    row_start = row_end + 1;
  }
  draw->PopClipRect();
}

void follow_field_gesture(EditorDocument& document) {
  const ImGuiID field = ImGui::GetItemID();
  if (ImGui::IsItemActive()) document.begin_edit(field);
  if (ImGui::IsItemDeactivated()) document.end_edit(field);
}

bool button_with_tooltip(const char* label, const char* tooltip) {
  bool pressed = ImGui::Button(label);
  ImGui::SetItemTooltip("%s", tooltip);
  return pressed;
}

const char* label_end(const char* label) {
  const char* hashes = std::strstr(label, "##");
  return hashes ? hashes : label + std::strlen(label);
}

float button_width(const char* label) {
  return ImGui::CalcTextSize(label, label_end(label)).x + 2.0f * ImGui::GetStyle().FramePadding.x;
}

float checkbox_width(const char* label) {
  const ImGuiStyle& style = ImGui::GetStyle();
  return ImGui::GetFrameHeight() + style.ItemInnerSpacing.x + ImGui::CalcTextSize(label, label_end(label)).x;
}

FlowRow::FlowRow() : right_(ImGui::GetCursorScreenPos().x + ImGui::GetContentRegionAvail().x) {}

void FlowRow::place(float width) {
  if (!first_) {
    ImGui::SameLine();
    if (ImGui::GetCursorScreenPos().x + width > right_) ImGui::NewLine();
  }
  first_ = false;
}

}  // namespace korvix
