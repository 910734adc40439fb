// The clip list as rows: filter and search over groups, hidden groups, the
// drawn order for Page Up / Page Down, the drop rules and the rows' places.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "editor/screen/clip_list_model.h"
#include "editor/document/group_edits.h"

namespace korvix::test {
namespace {

SubtitleClip clip_kind(std::string source, ClipKind kind, bool edited, std::string words) {
  SubtitleClip clip = clip_of(std::move(source), {{0, 1000, std::move(words), 0}}, edited);
  clip.kind = kind;
  return clip;
}

// 0 story "Harbour/Intro", 1 speech "vo/Dock/mira" (edited), 2 video "movies/end",
// 3 speech "vo/dock/bo", 4 speech "vo/dock/mira" again (a second clip of one source).
std::vector<SubtitleClip> sample_clips() {
  return {clip_kind("Harbour/Intro", ClipKind::story, false, "Long ago, on Korvix."),
          clip_kind("vo/Dock/mira", ClipKind::speech, true, "Tie the BOAT up."),
          clip_kind("movies/end", ClipKind::video, false, "The end."),
          clip_kind("vo/dock/bo", ClipKind::speech, false, "It won't hold. Caf\xc3\xa9!"),
          clip_kind("vo/Dock/mira", ClipKind::speech, false, "Again.")};
}

// "Dock" holds bo and both mira clips (in that order), "Empty" names a gone source.
ClipGroups sample_groups() {
  ClipGroups groups;
  groups.groups.push_back({"Dock", {"vo/dock/bo", "vo/Dock/mira", "vo/Dock/mira"}, true});
  groups.groups.push_back({"Empty", {"vo/gone"}, true});
  return groups;
}

// The rows as short words: "G0" group header, "U" ungrouped header, "c3" clip 3.
std::string rows_text(const ClipListModel& model) {
  std::string text;
  for (const ListRow& row : model.rows) {
    text += text.empty() ? "" : " ";
    text += row.kind == ListRowKind::group_header ? "G" + std::to_string(row.group)
            : row.kind == ListRowKind::clip       ? "c" + std::to_string(row.clip)
                                                  : std::string("U");
  }
  return text;
}

TEST(ClipListModel, FilterAndSearchListClipsInsideTheirGroupsAndHideGroupsWithoutMatches) {
  const std::vector<SubtitleClip> clips = sample_clips();
  const ClipGroups groups = sample_groups();
  struct Case {
    ClipFilter filter;
    std::string search;
    std::string rows;
  };
  const Case cases[] = {
      // Everything: groups in order (an empty group still shows), then the rest in file order.
      {ClipFilter::all, "", "G0 c3 c1 c4 G1 U c0 c2"},
      // Corrected: only the edited clip, inside its group; the empty group and
      // the ungrouped section, without a match, are hidden.
      {ClipFilter::corrected, "", "G0 c1"},
      {ClipFilter::story, "", "U c0"},
      {ClipFilter::movies, "", "U c2"},
      {ClipFilter::riding, "", "G0 c3 c1 c4"},
      // A search in capitals finds sources and words in any mix of ASCII cases.
      {ClipFilter::all, "DOCK/MIRA", "G0 c1 c4"},
      {ClipFilter::all, "boat", "G0 c1"},
      {ClipFilter::all, "korvix", "U c0"},
      // Beyond ASCII bytes must match exactly: no folding of the é.
      {ClipFilter::all, "CAF\xc3\xa9", "G0 c3"},
      {ClipFilter::all, "CAF\xc3\x89", ""},
      // Filter and search together.
      {ClipFilter::corrected, "again", ""},
      {ClipFilter::riding, "again", "G0 c4"},
  };
  for (const Case& c : cases) {
    ClipListModel model = build_clip_list(clips, groups, c.filter, c.search);
    EXPECT_EQ(rows_text(model), c.rows) << static_cast<int>(c.filter) << " " << c.search;
    std::vector<int32_t> order;
    for (const ListRow& row : model.rows) {
      if (row.kind == ListRowKind::clip) order.push_back(row.clip);
    }
    EXPECT_EQ(model.visible_order, order) << "the drawn order is the clip rows' order";
  }
}

TEST(ClipListModel, MembershipCountsAndClosedSectionsDoNotDependOnTheFilter) {
  const std::vector<SubtitleClip> clips = sample_clips();
  ClipGroups groups = sample_groups();
  groups.groups[0].open = false;
  groups.ungrouped_open = false;

  ClipListModel model = build_clip_list(clips, groups, ClipFilter::corrected, "");
  EXPECT_EQ(rows_text(model), "G0") << "a closed group shows its header only";
  EXPECT_TRUE(model.visible_order.empty());
  // Every member, whatever the filter, for the header's counts.
  EXPECT_EQ(model.members[0], (std::vector<int32_t>{3, 1, 4}));
  EXPECT_TRUE(model.members[1].empty()) << "a gone source takes no clip";
  EXPECT_EQ(model.ungrouped, (std::vector<int32_t>{0, 2}));
  EXPECT_EQ(std::pair(model.places[4].group, model.places[4].position), std::pair(0, 2))
      << "the second clip of a source takes the second entry";
  EXPECT_EQ(model.places[0].group, -1);

  EXPECT_EQ(rows_text(build_clip_list(clips, groups, ClipFilter::all, "")), "G0 G1 U");

  // Without any group the clips are listed bare, without the ungrouped header.
  EXPECT_EQ(rows_text(build_clip_list(clips, ClipGroups{}, ClipFilter::all, "")), "c0 c1 c2 c3 c4");
  EXPECT_EQ(rows_text(build_clip_list(clips, ClipGroups{}, ClipFilter::story, "")), "c0");
}

TEST(ClipListModel, PageUpAndDownStepThroughTheDrawnOrder) {
  const std::vector<SubtitleClip> clips = sample_clips();
  const ClipGroups groups = sample_groups();
  // 3 1 4 0 2, as the first test shows.
  const std::vector<int32_t> order = build_clip_list(clips, groups, ClipFilter::all, "").visible_order;

  struct Case {
    int32_t selected;
    int step;
    std::optional<int32_t> next;
  };
  // Nothing before the first, nor after the last.
  const Case cases[] = {{3, +1, 1}, {1, +1, 4}, {4, +1, 0}, {2, -1, 0}, {3, -1, std::nullopt}, {2, +1, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(step_in_order(order, c.selected, c.step), c.next) << c.selected;

  // A selected clip that the filter hides: either key picks the first listed clip.
  const std::vector<int32_t> riding = build_clip_list(clips, groups, ClipFilter::riding, "").visible_order;
  EXPECT_EQ(step_in_order(riding, 0, +1), 3);
  EXPECT_EQ(step_in_order(riding, 0, -1), 3);
  EXPECT_EQ(step_in_order({}, 0, +1), std::nullopt);
}

TEST(ClipListModel, RowsHaveFixedPlacesSoOnlyVisibleOnesAreFoundForAScrollPosition) {
  std::vector<SubtitleClip> clips;
  ClipGroups groups;
  // 10 groups of 20 clips: 210 rows (with the ungrouped header).
  for (int g = 0; g < 10; ++g) {
    ClipGroup group{"G" + std::to_string(g), {}, true};
    for (int c = 0; c < 20; ++c) {
      std::string source = "vo/" + std::to_string(g) + "/" + std::to_string(c);
      clips.push_back(clip_kind(source, ClipKind::speech, false, "words"));
      group.sources.push_back(source);
    }
    groups.groups.push_back(group);
  }
  ClipListModel model = build_clip_list(clips, groups, ClipFilter::all, "");
  const RowHeights heights{27.2f, 39.1f};
  ASSERT_EQ(model.rows.size(), 211u);
  EXPECT_FLOAT_EQ(model.height(heights), 11 * 27.2f + 200 * 39.1f);

  // Each row starts where the one above it ends.
  for (size_t i = 1; i < model.rows.size(); ++i) {
    EXPECT_FLOAT_EQ(heights.top(model.rows[i]), heights.top(model.rows[i - 1]) + heights.of(model.rows[i - 1]));
  }

  // The rows reaching into a window in the middle, and none beyond it.
  const float top = heights.top(model.rows[100]) + 5;
  const float bottom = top + 300;
  auto [first, end] = model.rows_between(top, bottom, heights);
  EXPECT_EQ(first, 100u);
  for (size_t i = first; i < end; ++i) EXPECT_LT(heights.top(model.rows[i]), bottom);
  ASSERT_LT(end, model.rows.size());
  EXPECT_GE(heights.top(model.rows[end]), bottom);
  EXPECT_EQ(model.rows_between(-50, 0, heights), (std::pair<size_t, size_t>{0, 0}));
  EXPECT_EQ(model.rows_between(1e9f, 2e9f, heights).first, model.rows.size());

  // A clip's row by its index, off screen or not.
  std::optional<size_t> row = model.row_of_clip(199);
  ASSERT_TRUE(row);
  EXPECT_EQ(model.rows[*row].clip, 199);
  EXPECT_EQ(model.rows[*row].group, 9);
}

TEST(ClipListModel, DropsFollowTheUpperAndLowerHalfRule) {
  const std::vector<SubtitleClip> clips = sample_clips();
  ClipGroups groups = sample_groups();
  groups.groups.push_back({"Third", {}, true});
  const ClipListModel model = build_clip_list(clips, groups, ClipFilter::all, "");
  // Rows: G0 c3 c1 c4 G1 G2 U c0 c2
  const ListRow& group0 = model.rows[0];
  const ListRow& bo = model.rows[1];  // position 0 in group 0
  const ListRow& group2 = model.rows[5];
  const ListRow& ungrouped = model.rows[6];
  const ListRow& loose = model.rows[7];

  EXPECT_EQ(drop_half(100, 40, 119.9f), DropHalf::upper);
  EXPECT_EQ(drop_half(100, 40, 120.0f), DropHalf::lower);

  struct ClipCase {
    const ListRow* target;
    DropHalf half;
    int32_t group;
    int32_t position;
  };
  const ClipCase clip_cases[] = {
      {&group0, DropHalf::upper, 0, -1},  // a header: the group's end, whatever the half
      {&group2, DropHalf::lower, 2, -1},
      {&bo, DropHalf::upper, 0, 0},  // before the row
      {&bo, DropHalf::lower, 0, 1},  // right after it
      {&ungrouped, DropHalf::upper, -1, -1},
      {&loose, DropHalf::lower, -1, -1},
  };
  for (const ClipCase& c : clip_cases) {
    ClipDrop drop = clip_drop(*c.target, c.half);
    EXPECT_EQ(std::pair(drop.group, drop.position), std::pair(c.group, c.position)) << &c - clip_cases;
  }

  // The lower half of a grouped clip row, carried out: the dropped clip lands
  // right after it in the same group.
  ClipGroups moved = groups;
  ClipDrop after_bo = clip_drop(bo, DropHalf::lower);
  move_clip_to_group(moved, clips[0].source, after_bo.group, after_bo.position);
  EXPECT_EQ(moved.groups[0].sources,
            (std::vector<std::string>{"vo/dock/bo", "Harbour/Intro", "vo/Dock/mira", "vo/Dock/mira"}));

  struct GroupCase {
    const ListRow* target;
    DropHalf half;
    int32_t from;
    std::optional<int32_t> to;
  };
  const GroupCase group_cases[] = {
      {&group2, DropHalf::upper, 0, 1},  // before the third: it takes index 1
      {&group2, DropHalf::lower, 0, 2},
      {&group0, DropHalf::upper, 2, 0},
      {&group0, DropHalf::lower, 2, 1},
      {&ungrouped, DropHalf::upper, 0, 2},  // to the end
      {&group0, DropHalf::lower, 0, std::nullopt},  // onto itself
      {&group2, DropHalf::upper, 1, std::nullopt},  // right where it is
      {&bo, DropHalf::upper, 1, std::nullopt},      // a clip row is no group target
  };
  for (const GroupCase& c : group_cases) {
    std::optional<int32_t> to = group_drop(*c.target, c.half, c.from, groups.groups.size());
    EXPECT_EQ(to, c.to) << c.from;
    if (!to) continue;
    ClipGroups reordered = groups;
    std::string name = reordered.groups[static_cast<size_t>(c.from)].name;
    ASSERT_TRUE(move_group(reordered, c.from, *to));
    EXPECT_EQ(reordered.groups[static_cast<size_t>(*to)].name, name);
  }
}

TEST(GroupEdits, ReorderDeleteOpenAllAndNewGroupBelow) {
  ClipGroups groups = sample_groups();
  groups.groups[0].open = false;
  set_all_open(groups, true);
  EXPECT_TRUE(groups.groups[0].open);
  set_all_open(groups, false);
  EXPECT_FALSE(groups.groups[1].open || groups.ungrouped_open);

  EXPECT_FALSE(move_within_group(groups, 0, 0, -1)) << "nothing before the first";
  EXPECT_FALSE(move_within_group(groups, 0, 2, +1)) << "nor after the last";
  ASSERT_TRUE(move_within_group(groups, 0, 0, +1));
  EXPECT_EQ(groups.groups[0].sources[1], "vo/dock/bo");

  int32_t added = new_group_below(groups, 0, "movies/end");
  EXPECT_EQ(added, 1);
  EXPECT_EQ(groups.groups[1].sources, std::vector<std::string>{"movies/end"});
  EXPECT_EQ(groups.groups[2].name, "Empty");

  EXPECT_FALSE(delete_group(groups, 3));
  ASSERT_TRUE(delete_group(groups, 0));
  EXPECT_EQ(groups.groups.size(), 2u);
  EXPECT_FALSE(move_group(groups, 0, 0));
  EXPECT_FALSE(move_group(groups, 0, 5));
}

}  // namespace
}  // namespace korvix::test
