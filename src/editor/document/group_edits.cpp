#include "editor/document/group_edits.h"

#include <algorithm>
#include <utility>

namespace korvix {

namespace {

bool valid_group(const ClipGroups& groups, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < groups.groups.size();
}

}  // namespace

bool move_group(ClipGroups& groups, int32_t from, int32_t to) {
  if (!valid_group(groups, from) || !valid_group(groups, to) || from == to) return false;
  auto first = groups.groups.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
  return true;
}

bool delete_group(ClipGroups& groups, int32_t index) {
  if (!valid_group(groups, index)) return false;
  groups.groups.erase(groups.groups.begin() + index);
  return true;
}

void set_all_open(ClipGroups& groups, bool open) {
  for (ClipGroup& group : groups.groups) group.open = open;
  groups.ungrouped_open = open;
}

bool move_within_group(ClipGroups& groups, int32_t group, int32_t position, int step) {
  if (!valid_group(groups, group)) return false;
  std::vector<std::string>& sources = groups.groups[static_cast<size_t>(group)].sources;
  int64_t other = int64_t{position} + step;
  if (position < 0 || static_cast<size_t>(position) >= sources.size() || other < 0 ||
      static_cast<size_t>(other) >= sources.size()) {
    return false;
  }
  std::swap(sources[static_cast<size_t>(position)], sources[static_cast<size_t>(other)]);
  return true;
}

int32_t new_group_below(ClipGroups& groups, int32_t after, std::string_view source) {
  int32_t index = new_group(groups, source);
  int32_t wanted = std::clamp(after + 1, 0, index);
  move_group(groups, index, wanted);
  return wanted;
}

}  // namespace korvix
