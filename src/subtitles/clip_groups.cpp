#include "subtitles/clip_groups.h"

#include <algorithm>
#include <unordered_map>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "platform/paths.h"

namespace korvix {

namespace {

constexpr std::string_view groups_header = "korvix-subtitle-groups";

// The clips of each source, in file order, handed out first to last.
class FreeClips {
 public:
  explicit FreeClips(const std::vector<SubtitleClip>& clips) {
    for (const SubtitleClip& clip : clips) ++free_[clip.source];
  }
  bool take(std::string_view source) {
    auto found = free_.find(source);
    if (found == free_.end() || found->second == 0) return false;
    --found->second;
    return true;
  }

 private:
  // Clips of one source are alike for grouping, so a count per source serves.
  std::unordered_map<std::string_view, size_t> free_;
};

void append_line(std::string& out, std::string_view text) {
  for (char c : text) out += c == '\n' || c == '\r' ? ' ' : c;
  out += '\n';
}

}  // namespace

ClipGroups parse_groups(std::string_view content, const std::vector<SubtitleClip>& clips) {
  ClipGroups result;
  size_t end = content.find('\n');
  std::string_view first = content.substr(0, end);
  if (first.size() < groups_header.size() || !first.starts_with(groups_header)) return result;
  content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);

  FreeClips free(clips);
  while (!content.empty()) {
    end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line.starts_with("group ")) {
      ClipGroup group;
      group.open = !(line.size() >= 7 && line[6] == '0');
      if (line.size() > 8) group.name = std::string(line.substr(8));
      result.groups.push_back(std::move(group));
    } else if (line.starts_with("ungrouped ")) {
      result.ungrouped_open = !(line.size() >= 11 && line[10] == '0');
    } else if (!result.groups.empty() && free.take(line)) {
      result.groups.back().sources.emplace_back(line);
    }
  }
  return result;
}

std::string format_groups(const ClipGroups& groups) {
  std::string out(groups_header);
  out.append(" 1\n");
  for (const ClipGroup& group : groups.groups) {
    out.append(group.open ? "group 1 " : "group 0 ");
    append_line(out, group.name);
    for (const std::string& source : group.sources) append_line(out, source);
  }
  out.append(groups.ungrouped_open ? "ungrouped 1\n" : "ungrouped 0\n");
  return out;
}

ClipGroups load_groups(const std::filesystem::path& file, const std::vector<SubtitleClip>& clips) {
  std::optional<std::string> content = read_file_bytes(file);
  return content ? parse_groups(*content, clips) : ClipGroups{};
}

bool save_groups(const std::filesystem::path& file, const ClipGroups& groups, std::string& status) {
  SaveOptions options;
  options.create_folders = true;
  if (save_file_atomically(file, format_groups(groups), options)) return true;
  status = "Couldn't save the groups (" + path_to_text(file).value_or("groups.txt") + ").";
  return false;
}

void move_clip_to_group(ClipGroups& groups, std::string_view source, int group, int position) {
  for (size_t g = 0; g < groups.groups.size(); ++g) {
    std::vector<std::string>& sources = groups.groups[g].sources;
    auto found = std::find(sources.begin(), sources.end(), source);
    if (found == sources.end()) continue;
    if (static_cast<int>(g) == group && found - sources.begin() < position) --position;
    sources.erase(found);
    break;
  }
  if (group < 0 || group >= static_cast<int>(groups.groups.size())) return;
  std::vector<std::string>& sources = groups.groups[static_cast<size_t>(group)].sources;
  if (position < 0 || position > static_cast<int>(sources.size())) position = static_cast<int>(sources.size());
  sources.insert(sources.begin() + position, std::string(source));
}

int new_group(ClipGroups& groups, std::string_view source) {
  ClipGroup group;
  group.name = "Group " + std::to_string(groups.groups.size() + 1);
  groups.groups.push_back(std::move(group));
  int index = static_cast<int>(groups.groups.size()) - 1;
  if (!source.empty()) move_clip_to_group(groups, source, index, -1);
  return index;
}

}  // namespace korvix
