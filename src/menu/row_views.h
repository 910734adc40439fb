// The label, value text, value colour and progress of every menu row.
#pragma once

#include <imgui.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu/menu_row.h"
#include "menu/menu_snapshot.h"

namespace korvix {

class LauncherApp;

// A drawn row, rebuilt every frame.
struct MenuRowView {
  MenuRow id = row_quit;
  std::string label;
  std::string value;
  ImU32 value_color = 0;
  float fraction = -1.0f;  // negative: no progress bar
  bool keep_value_start = false;  // a value too wide loses its end, not its start
};

// What a frame knows besides the snapshot.
struct MenuFacts {
  bool installed = false;
  bool on_chosen_branch = true;  // the install record names no branch or the chosen one
  std::optional<MenuRow> armed_row;  // the row whose "select again" is pending
  bool subtitles_exist = false;
  std::optional<uint64_t> free_bytes;  // nothing: unknown
};

constexpr uint64_t needed_install_bytes = 40ull << 30;

std::string row_label(MenuRow row, const MenuFacts& facts);
// "1 new change", "2 new changes": the plural for every count but 1.
std::string count_of_changes(int64_t n, const char* noun);
// "m:ss" below an hour, "h:mm:ss" from one hour on.
std::string format_elapsed(int64_t seconds);

// The views of the rows of the list; setting rows come from the settings pages.
std::vector<MenuRowView> build_row_views(const LauncherApp& app, const std::vector<MenuRow>& rows,
                                         const MenuSnapshot& snapshot, const MenuFacts& facts);

}  // namespace korvix
