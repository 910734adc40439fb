// The clip list's model is built again after every kind of change that can
// alter it, and only then.
#include <gtest/gtest.h>

#include <functional>

#include "editor/editor_test_support.h"
#include "editor/screen/editor_screen.h"

namespace korvix::test {
namespace {

using ClipListCacheTest = EditorTest;

constexpr FindOptions any_case{};
constexpr FindOptions with_names{false, false, true};

TEST_F(ClipListCacheTest, EveryChangeOfTheClipsTheGroupsOrTheFileBuildsTheListAgain) {
  open({clip_of("a", {{0, 1000, "Bo", 0}}), clip_of("b", {{0, 1000, "bo bo", 0}}), clip_of("c", {})});
  ClipListCache list;
  auto get = [&]() -> const ClipListModel& { return list.get(document, ClipFilter::all, "bo", with_names); };
  struct Case {
    const char* change;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"typing in the selected clip", [&] { document.set_line_text(0, "Bo, Bo"); }},
      {"a name", [&] { document.set_name(0, "Bo"); }},
      {"replace all",
       [&] {
         document.replace_all({0, 1}, TextFinder("bo", any_case), "Kai");
       }},
      {"undo", [&] { document.undo(); }},
      {"redo", [&] { document.redo(); }},
      {"the groups",
       [&] {
         document.groups.ungrouped_open = false;
         document.save_groups();
       }},
      {"another file",
       [&] {
         open({clip_of("d", {{0, 1000, "bo", 0}})});
       }},
  };
  get();
  for (const Case& c : cases) {
    const uint64_t builds = list.builds();
    c.make();
    const ClipListModel& model = get();
    EXPECT_EQ(list.builds(), builds + 1) << c.change;
    const ClipListModel fresh = build_clip_list(document.clips(), document.groups, ClipFilter::all, "bo", with_names);
    EXPECT_EQ(model.match_total, fresh.match_total) << c.change;
    EXPECT_EQ(model.listed_order, fresh.listed_order) << c.change;
    EXPECT_EQ(model.visible_order, fresh.visible_order) << c.change;
  }

  // Neither picking nor playing changes the list.
  const uint64_t builds = list.builds();
  document.select_clip(0);
  document.playhead_ms = 500;
  get();
  EXPECT_EQ(list.builds(), builds);
  list.get(document, ClipFilter::all, "b", any_case);
  EXPECT_EQ(list.builds(), builds + 1) << "another search";
}

}  // namespace
}  // namespace korvix::test
