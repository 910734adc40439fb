// The editor's grouping of clips, groups.txt: named, ordered groups that the
// clip list shows as folders. Groups name their clips by `source`; the
// subtitle file itself never changes by grouping.
//
//   korvix-subtitle-groups 1
//   group 1 Intro
//   SOURCE OF A CLIP
//   SOURCE OF ANOTHER
//   ungrouped 0
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/subtitle_file.h"

namespace korvix {

struct ClipGroup {
  std::string name;  // may be empty; never holds a line end in the file
  std::vector<std::string> sources;
  bool open = true;
  bool operator==(const ClipGroup&) const = default;
};

struct ClipGroups {
  std::vector<ClipGroup> groups;  // in the order on screen and in the file
  bool ungrouped_open = true;     // the "Not in a group" section
  bool operator==(const ClipGroups&) const = default;
};

// The groups of groups.txt for the clips of the open file: each source line
// takes the first clip of that source not yet taken; lines matching no free
// clip are dropped. A foreign or empty file gives no groups.
ClipGroups parse_groups(std::string_view content, const std::vector<SubtitleClip>& clips);
// The file's bytes, LF only.
std::string format_groups(const ClipGroups& groups);

// parse_groups of the file; no groups when it is missing or unreadable.
ClipGroups load_groups(const std::filesystem::path& file, const std::vector<SubtitleClip>& clips);
// Writes the file atomically, making its folder when missing. On failure puts
// "Couldn't save the groups (PATH)." into `status` and returns false.
bool save_groups(const std::filesystem::path& file, const ClipGroups& groups, std::string& status);

// Takes the clip out of the group that holds it, then inserts it into group
// `group` at `position` (the end when negative or past it). A group index out of
// range only takes the clip out. The caller saves.
void move_clip_to_group(ClipGroups& groups, std::string_view source, int group, int position);

// Appends an open group named "Group N" (N: the number of groups with it) and
// moves the clip of `source`, when given, into it. Returns the new group's
// index. The caller starts its rename and saves.
int new_group(ClipGroups& groups, std::string_view source);

}  // namespace korvix
