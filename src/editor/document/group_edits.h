// The clip list's changes of the groups besides moving a clip into one (which
// clip_groups.h has): reorder, delete, open or close all, move a clip within
// its group. The caller saves the groups after each.
#pragma once

#include <cstdint>

#include "subtitles/clip_groups.h"

namespace korvix {

// Moves group `from` so that it ends up at index `to`. False when either is
// out of range or they are the same.
bool move_group(ClipGroups& groups, int32_t from, int32_t to);

// The group goes; its clips stay, in no group.
bool delete_group(ClipGroups& groups, int32_t index);

// Every group and the "Not in a group" section open (or closed).
void set_all_open(ClipGroups& groups, bool open);

// Swaps the entry at `position` of the group with the one `step` (-1 or +1)
// away. False at the group's ends.
bool move_within_group(ClipGroups& groups, int32_t group, int32_t position, int step);

// A new group ("Group N") right below group `after`, holding the clip of
// `source` when given. Returns its index.
int32_t new_group_below(ClipGroups& groups, int32_t after, std::string_view source);

}  // namespace korvix
