#include <gtest/gtest.h>

#include "app/frame_pacing.h"
#include "ui/scale.h"

namespace korvix {
namespace {

TEST(MenuScale, FollowsTheHeightWithAFloor) {
  EXPECT_FLOAT_EQ(menu_scale(720), 1.0f);
  EXPECT_NEAR(menu_scale(760), 1.0556f, 1e-4);
  EXPECT_FLOAT_EQ(menu_scale(1440), 2.0f);
  EXPECT_FLOAT_EQ(menu_scale(432), 0.6f);
  EXPECT_FLOAT_EQ(menu_scale(400), 0.6f);
}

TEST(EditorScale, DisplayFactorTimesOwnScaleClamped) {
  EXPECT_FLOAT_EQ(editor_scale(2.0f, 2.0f, 1.0f, std::nullopt), 1.0f);
  EXPECT_FLOAT_EQ(editor_scale(1.5f, 1.0f, 1.0f, std::nullopt), 1.5f);
  EXPECT_FLOAT_EQ(editor_scale(0.0f, 1.0f, 1.25f, std::nullopt), 1.25f);
  EXPECT_FLOAT_EQ(editor_scale(3.0f, 1.0f, 2.0f, std::nullopt), 4.0f);
}

TEST(EditorScale, EnvironmentOverrideReplacesTheDisplayFactor) {
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("10")), 4.0f);
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("0.1")), 0.5f);
  EXPECT_FLOAT_EQ(editor_scale(2.0f, 1.0f, 1.0f, std::string("1.5")), 1.5f);
  EXPECT_FLOAT_EQ(editor_scale(1.0f, 1.0f, 1.0f, std::string("nonsense")), 0.5f);
}

TEST(FramePacing, BusyFramesAreHeldToTheDisplayPeriod) {
  EXPECT_EQ(frame_period_ns(0.0f), frame_period_ns(60.0f));
  EXPECT_EQ(frame_period_ns(120.0f), 8333333u);
  uint64_t period = frame_period_ns(60.0f);
  EXPECT_GT(sleep_before_next_frame_ns(0, 1'000'000, 60.0f), period / 2);
  EXPECT_LT(sleep_before_next_frame_ns(0, 1'000'000, 60.0f), period);
  EXPECT_EQ(sleep_before_next_frame_ns(0, period, 60.0f), 0u) << "a late frame doesn't sleep";
}

}  // namespace
}  // namespace korvix
