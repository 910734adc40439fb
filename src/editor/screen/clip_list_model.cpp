#include "editor/screen/clip_list_model.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "editor/document/clip_find.h"

namespace korvix {

namespace {

bool passes_filter(const SubtitleClip& clip, ClipFilter filter) {
  switch (filter) {
    case ClipFilter::story:
      return clip.kind == ClipKind::story;
    case ClipFilter::movies:
      return clip.kind == ClipKind::video;
    case ClipFilter::riding:
      return clip.kind == ClipKind::speech;
    case ClipFilter::corrected:
      return clip.edited;
    case ClipFilter::all:
      break;
  }
  return true;
}

// The clips of each source in file order, as a chain: the first clip of a
// source, and from each clip the next one of the same source.
struct SourceChains {
  explicit SourceChains(const std::vector<SubtitleClip>& clips) : next(clips.size(), -1), taken(clips.size(), false) {
    first.reserve(clips.size());
    for (size_t i = clips.size(); i-- > 0;) {
      auto [it, added] = first.try_emplace(clips[i].source, static_cast<int32_t>(i));
      if (!added) {
        next[i] = it->second;
        it->second = static_cast<int32_t>(i);
      }
    }
  }
  // The first clip of `source` not taken yet, now taken; -1 when none is left.
  int32_t take(std::string_view source) {
    auto it = first.find(source);
    if (it == first.end()) return -1;
    for (int32_t clip = it->second; clip >= 0; clip = next[static_cast<size_t>(clip)]) {
      if (!taken[static_cast<size_t>(clip)]) {
        taken[static_cast<size_t>(clip)] = true;
        return clip;
      }
    }
    return -1;
  }
  std::unordered_map<std::string_view, int32_t> first;
  std::vector<int32_t> next;
  std::vector<bool> taken;
};

class RowAppender {
 public:
  explicit RowAppender(ClipListModel& model) : model_(model) {}
  void header(ListRowKind kind, int32_t group) {
    model_.rows.push_back({kind, group, -1, -1, headers_, clips_});
    ++headers_;
  }
  void clip(int32_t group, int32_t clip, int32_t position) {
    model_.rows.push_back({ListRowKind::clip, group, clip, position, headers_, clips_});
    model_.visible_order.push_back(clip);
    ++clips_;
  }

 private:
  ClipListModel& model_;
  uint32_t headers_ = 0;
  uint32_t clips_ = 0;
};

}  // namespace

ClipSearch search_clip(const SubtitleClip& clip, ClipFilter filter, const TextFinder& search) {
  if (!passes_filter(clip, filter)) return {};
  if (search.empty()) return {true, 0};
  uint32_t matches = static_cast<uint32_t>(count_in_clip(clip, search));
  return {matches > 0 || search.found_in(clip.source), matches};
}

ClipListModel build_clip_list(const std::vector<SubtitleClip>& clips, const ClipGroups& groups, ClipFilter filter,
                              std::string_view search, FindOptions options) {
  ClipListModel model;
  const TextFinder finder(search, options);
  model.narrowed = filter != ClipFilter::all || !finder.empty();
  model.matches.resize(clips.size());
  model.match_counts.assign(clips.size(), 0);
  for (size_t i = 0; i < clips.size(); ++i) {
    ClipSearch found = search_clip(clips[i], filter, finder);
    model.matches[i] = found.listed;
    model.match_counts[i] = found.matches;
    model.match_total += found.matches;
    model.clips_with_matches += found.matches > 0 ? 1 : 0;
  }
  model.places.assign(clips.size(), ClipPlace{});
  RowAppender rows(model);
  auto matches = [&](int32_t clip) { return model.matches[static_cast<size_t>(clip)]; };

  if (groups.groups.empty()) {
    for (size_t i = 0; i < clips.size(); ++i) {
      model.ungrouped.push_back(static_cast<int32_t>(i));
      if (model.matches[i]) rows.clip(-1, static_cast<int32_t>(i), -1);
    }
    model.listed_order = model.visible_order;
    return model;
  }

  SourceChains chains(clips);
  model.members.resize(groups.groups.size());
  std::vector<std::vector<int32_t>> positions(groups.groups.size());
  for (size_t g = 0; g < groups.groups.size(); ++g) {
    const std::vector<std::string>& sources = groups.groups[g].sources;
    for (size_t p = 0; p < sources.size(); ++p) {
      int32_t clip = chains.take(sources[p]);
      if (clip < 0) continue;
      model.members[g].push_back(clip);
      positions[g].push_back(static_cast<int32_t>(p));
      model.places[static_cast<size_t>(clip)] = {static_cast<int32_t>(g), static_cast<int32_t>(p)};
    }
  }
  for (size_t g = 0; g < groups.groups.size(); ++g) {
    const std::vector<int32_t>& members = model.members[g];
    if (model.narrowed && std::none_of(members.begin(), members.end(), matches)) continue;
    rows.header(ListRowKind::group_header, static_cast<int32_t>(g));
    std::copy_if(members.begin(), members.end(), std::back_inserter(model.listed_order), matches);
    if (!groups.groups[g].open) continue;
    for (size_t m = 0; m < members.size(); ++m) {
      if (matches(members[m])) rows.clip(static_cast<int32_t>(g), members[m], positions[g][m]);
    }
  }

  for (size_t i = 0; i < clips.size(); ++i) {
    if (model.places[i].group < 0) model.ungrouped.push_back(static_cast<int32_t>(i));
  }
  if (model.narrowed && std::none_of(model.ungrouped.begin(), model.ungrouped.end(), matches)) return model;
  rows.header(ListRowKind::ungrouped_header, -1);
  std::copy_if(model.ungrouped.begin(), model.ungrouped.end(), std::back_inserter(model.listed_order), matches);
  if (groups.ungrouped_open) {
    for (int32_t clip : model.ungrouped) {
      if (matches(clip)) rows.clip(-1, clip, -1);
    }
  }
  return model;
}

float ClipListModel::height(const RowHeights& heights) const {
  if (rows.empty()) return 0;
  return heights.top(rows.back()) + heights.of(rows.back());
}

std::pair<size_t, size_t> ClipListModel::rows_between(float top, float bottom, const RowHeights& heights) const {
  auto first = std::partition_point(rows.begin(), rows.end(), [&](const ListRow& row) {
    return heights.top(row) + heights.of(row) <= top;
  });
  auto end = std::partition_point(first, rows.end(), [&](const ListRow& row) { return heights.top(row) < bottom; });
  return {static_cast<size_t>(first - rows.begin()), static_cast<size_t>(end - rows.begin())};
}

std::optional<size_t> ClipListModel::row_of_clip(int32_t clip) const {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].kind == ListRowKind::clip && rows[i].clip == clip) return i;
  }
  return std::nullopt;
}

std::optional<int32_t> step_in_order(const std::vector<int32_t>& order, int32_t selected, int step) {
  if (order.empty()) return std::nullopt;
  auto at = std::find(order.begin(), order.end(), selected);
  if (at == order.end()) return order.front();
  ptrdiff_t next = (at - order.begin()) + step;
  if (next < 0 || next >= static_cast<ptrdiff_t>(order.size())) return std::nullopt;
  return order[static_cast<size_t>(next)];
}

DropHalf drop_half(float row_top, float row_height, float mouse_y) {
  return mouse_y < row_top + row_height * 0.5f ? DropHalf::upper : DropHalf::lower;
}

ClipDrop clip_drop(const ListRow& target, DropHalf half) {
  switch (target.kind) {
    case ListRowKind::group_header:
      return {target.group, -1};
    case ListRowKind::clip:
      if (target.group >= 0) return {target.group, target.position + (half == DropHalf::lower ? 1 : 0)};
      break;
    case ListRowKind::ungrouped_header:
      break;
  }
  return {-1, -1};
}

std::optional<int32_t> group_drop(const ListRow& target, DropHalf half, int32_t from, size_t group_count) {
  int32_t count = static_cast<int32_t>(group_count);
  if (from < 0 || from >= count) return std::nullopt;
  int32_t insert_at;
  if (target.kind == ListRowKind::ungrouped_header) {
    insert_at = count;
  } else if (target.kind == ListRowKind::group_header && target.group >= 0 && target.group < count) {
    insert_at = target.group + (half == DropHalf::lower ? 1 : 0);
  } else {
    return std::nullopt;
  }
  // Taking the group out first moves the places after it up by one.
  int32_t to = insert_at > from ? insert_at - 1 : insert_at;
  if (to == from) return std::nullopt;
  return to;
}

}  // namespace korvix
