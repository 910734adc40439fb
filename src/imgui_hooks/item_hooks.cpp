// The interface library's test-engine hooks (built with IMGUI_ENABLE_TEST_ENGINE),
// forwarded to the one observer.
#include "item_hooks.h"

#include <imgui_internal.h>

namespace korvix {

namespace {

ItemObserver* observer = nullptr;
ImGuiContext* observed = nullptr;

}  // namespace

void observe_items(ItemObserver* new_observer) {
  if (observed) observed->TestEngineHookItems = false;
  observer = new_observer;
  observed = new_observer ? ImGui::GetCurrentContext() : nullptr;
  if (observed) observed->TestEngineHookItems = true;
}

}  // namespace korvix

void ImGuiTestEngineHook_ItemAdd(ImGuiContext* context, ImGuiID id, const ImRect& rect, const ImGuiLastItemData*) {
  if (korvix::observer && context == korvix::observed) korvix::observer->item_added(id, rect);
}

void ImGuiTestEngineHook_ItemInfo(ImGuiContext* context, ImGuiID id, const char* label, ImGuiItemStatusFlags) {
  if (korvix::observer && context == korvix::observed && label) korvix::observer->item_labelled(id, label);
}

void ImGuiTestEngineHook_Log(ImGuiContext*, const char*, ...) {}

const char* ImGuiTestEngine_FindItemDebugLabel(ImGuiContext*, ImGuiID) { return nullptr; }
