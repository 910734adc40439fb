#include "app/redraw_gate.h"

#include <imgui.h>

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace korvix {

namespace {

void append_bytes(std::vector<unsigned char>& out, const void* data, size_t size) {
  if (size == 0) return;
  size_t at = out.size();
  out.resize(at + size);
  std::memcpy(out.data() + at, data, size);
}

template <class T>
void append(std::vector<unsigned char>& out, const T& value) {
  static_assert(std::is_trivially_copyable_v<T> && std::has_unique_object_representations_v<T>,
                "only values without padding compare as bytes");
  append_bytes(out, &value, sizeof value);
}

void append(std::vector<unsigned char>& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  append(out, bits);
}

void append(std::vector<unsigned char>& out, const ImVec2& value) {
  append(out, value.x);
  append(out, value.y);
}

void append(std::vector<unsigned char>& out, const ImVec4& value) {
  append(out, value.x);
  append(out, value.y);
  append(out, value.z);
  append(out, value.w);
}

template <class T>
void append_pointer(std::vector<unsigned char>& out, T* pointer) {
  append(out, reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace

void flatten_draw_data(const ImDrawData& data, std::vector<unsigned char>& out) {
  out.clear();
  append(out, data.DisplayPos);
  append(out, data.DisplaySize);
  append(out, data.FramebufferScale);
  append(out, data.CmdListsCount);
  for (const ImDrawList* list : data.CmdLists) {
    append(out, list->CmdBuffer.Size);
    for (const ImDrawCmd& command : list->CmdBuffer) {
      append(out, command.ClipRect);
      // Field by field: the command has padding, whose bytes mean nothing.
      append_pointer(out, command.TexRef._TexData);
      append(out, static_cast<uint64_t>(command.TexRef._TexID));
      append(out, command.VtxOffset);
      append(out, command.IdxOffset);
      append(out, command.ElemCount);
      append(out, reinterpret_cast<uintptr_t>(command.UserCallback));
      append_pointer(out, command.UserCallbackData);
    }
    static_assert(sizeof(ImDrawVert) == 2 * sizeof(ImVec2) + sizeof(ImU32), "vertices have no padding");
    append(out, list->VtxBuffer.Size);
    append_bytes(out, list->VtxBuffer.Data, static_cast<size_t>(list->VtxBuffer.Size) * sizeof(ImDrawVert));
    append(out, list->IdxBuffer.Size);
    append_bytes(out, list->IdxBuffer.Data, static_cast<size_t>(list->IdxBuffer.Size) * sizeof(ImDrawIdx));
  }
}

bool texture_requests_pending(const ImDrawData& data) {
  if (!data.Textures) return false;
  for (const ImTextureData* texture : *data.Textures) {
    if (texture->Status == ImTextureStatus_WantCreate || texture->Status == ImTextureStatus_WantUpdates ||
        texture->Status == ImTextureStatus_WantDestroy)
      return true;
  }
  return false;
}

bool RedrawGate::needs_present(const ImDrawData& data) {
  flatten_draw_data(data, current_);
  bool changed = forced_ || texture_requests_pending(data) || current_ != presented_;
  if (changed) presented_.swap(current_);
  forced_ = false;
  return changed;
}

}  // namespace korvix
