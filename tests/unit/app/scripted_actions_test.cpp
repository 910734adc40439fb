#include "app/scripted_actions.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

using Actions = std::vector<MenuAction>;

TEST(ParseActions, TokensAreExactAndUnknownOnesSkipped) {
  EXPECT_EQ(parse_actions("down,down, accept"), (Actions{MenuAction::down, MenuAction::down}));
  EXPECT_EQ(parse_actions("up,left,right,accept"),
            (Actions{MenuAction::up, MenuAction::left, MenuAction::right, MenuAction::accept}));
  EXPECT_EQ(parse_actions("Up,DOWN,back,,accept "), Actions{});
  EXPECT_EQ(parse_actions(""), Actions{});
  EXPECT_EQ(parse_actions(",,down,"), Actions{MenuAction::down});
}

TEST(ScriptPlayer, DeliversOneActionEveryTenFrames) {
  ScriptPlayer player(Actions{MenuAction::down, MenuAction::accept});
  std::vector<std::pair<uint64_t, MenuAction>> seen;
  for (uint64_t frame = 1; frame <= 60; ++frame)
    if (auto action = player.due(frame)) seen.emplace_back(frame, *action);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(uint64_t{10}, MenuAction::down));
  EXPECT_EQ(seen[1], std::make_pair(uint64_t{20}, MenuAction::accept));
  EXPECT_TRUE(player.finished());
}

}  // namespace
}  // namespace korvix
