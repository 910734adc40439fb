// The clip list as rows: the groups in their order with their clips, then the
// clips in no group, filtered and searched. Pure functions of the clips and the
// groups, so the list, Page Up / Page Down and drag and drop share one model
// that tests build without a window.
//
// Rows have two fixed heights, one for headers and one for clips, so every
// row's place is known without laying the list out: the list draws only the
// rows on screen and still scrolls to any of them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "subtitles/clip_groups.h"
#include "editor/document/text_find.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

enum class ClipFilter : int { all = 0, story = 1, movies = 2, riding = 3, corrected = 4 };
inline constexpr std::array<const char*, 5> clip_filter_names = {"All", "Story", "Movies", "Riding", "Corrected"};

// A clip as the list sees it: it is listed when it passes the filter and the
// search (empty: every clip) finds it in its source, its words or, when asked,
// its names; `matches` counts what find and replace would take in it.
struct ClipSearch {
  bool listed = false;
  uint32_t matches = 0;
};
ClipSearch search_clip(const SubtitleClip& clip, ClipFilter filter, const TextFinder& search);

enum class ListRowKind : uint8_t { group_header, ungrouped_header, clip };

struct ListRow {
  ListRowKind kind = ListRowKind::clip;
  int32_t group = -1;     // the group of a header or clip; -1: in no group
  int32_t clip = -1;      // clip rows: the clip's index in the file
  int32_t position = -1;  // grouped clip rows: the entry's index in the group
  // The rows above it, by kind: its top is the sum of their heights.
  uint32_t headers_above = 0;
  uint32_t clips_above = 0;
};

struct RowHeights {
  float header = 0;
  float clip = 0;
  float top(const ListRow& row) const {
    return static_cast<float>(row.headers_above) * header + static_cast<float>(row.clips_above) * clip;
  }
  float of(const ListRow& row) const { return row.kind == ListRowKind::clip ? clip : header; }
};

// Where a clip is in the groups: its group (-1 none) and its entry's index there.
struct ClipPlace {
  int32_t group = -1;
  int32_t position = -1;
};

struct ClipListModel {
  std::vector<ListRow> rows;            // the drawn order, off-screen rows included
  std::vector<int32_t> visible_order;   // the clips of those rows, in that order
  std::vector<std::vector<int32_t>> members;  // per group: every clip in it, filtered or not
  std::vector<int32_t> ungrouped;       // every clip in no group, in file order
  std::vector<ClipPlace> places;        // per clip
  std::vector<bool> matches;            // per clip: passes the filter and the search
  bool narrowed = false;                // a filter other than All, or a search
  // Every listed clip in the drawn order as if every group were open: the
  // clips find steps through and "Replace all" changes.
  std::vector<int32_t> listed_order;
  std::vector<uint32_t> match_counts;  // per clip: its matches while listed, else 0
  size_t match_total = 0;
  size_t clips_with_matches = 0;

  float height(const RowHeights& heights) const;
  // The rows that reach into [top, bottom): first and one past the last.
  std::pair<size_t, size_t> rows_between(float top, float bottom, const RowHeights& heights) const;
  std::optional<size_t> row_of_clip(int32_t clip) const;
};

// Each group's entries take the first clip of their source not taken yet, as
// the groups were read; entries whose clip is gone are skipped. Without groups
// the clips are listed without a header. While narrowed, groups without a
// passing clip are hidden, and so is the "Not in a group" header. The search
// follows the find options (the plain search's by default).
ClipListModel build_clip_list(const std::vector<SubtitleClip>& clips, const ClipGroups& groups, ClipFilter filter,
                              std::string_view search, FindOptions options = {});

// Page Up (-1) / Page Down (+1) from `selected` in the drawn order: the first
// listed clip when the selected one isn't listed, nothing past either end.
std::optional<int32_t> step_in_order(const std::vector<int32_t>& order, int32_t selected, int step);

// ---- Drag and drop

enum class DropHalf { upper, lower };
DropHalf drop_half(float row_top, float row_height, float mouse_y);

// Where a dragged clip goes when dropped on a row: group -1 takes it out of its
// group; position -1 is the group's end.
struct ClipDrop {
  int32_t group = -1;
  int32_t position = -1;
};
// On a group header: the group's end. On a grouped clip: before or after it by
// the half. On "Not in a group" or an ungrouped clip: out of its group.
ClipDrop clip_drop(const ListRow& target, DropHalf half);

// The index a dragged group (from `from`) takes when dropped on a header: before
// or after that group by the half; on "Not in a group", the end. Nothing when it
// stays where it is or the target is no header.
std::optional<int32_t> group_drop(const ListRow& target, DropHalf half, int32_t from, size_t group_count);

}  // namespace korvix
