// Key, button and stick mapping, and held repeat, with a fake millisecond clock.
#include "app/input.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvix {
namespace {

class InputMapperTest : public ::testing::Test {
 protected:
  std::vector<MenuAction> delivered;
  InputMapper input{[this](MenuAction action) { delivered.push_back(action); }};

  // Runs the once-per-frame repeat check every `frame_ms` from `from` to `to`.
  void frames(uint64_t from, uint64_t to, uint64_t frame_ms = 1) {
    for (uint64_t now = from; now <= to; now += frame_ms) input.repeat(now);
  }
};

TEST(InputMapping, KeysGiveTheirActions) {
  EXPECT_EQ(action_for_key(SDLK_UP), MenuAction::up);
  EXPECT_EQ(action_for_key(SDLK_DOWN), MenuAction::down);
  EXPECT_EQ(action_for_key(SDLK_LEFT), MenuAction::left);
  EXPECT_EQ(action_for_key(SDLK_RIGHT), MenuAction::right);
  EXPECT_EQ(action_for_key(SDLK_RETURN), MenuAction::accept);
  EXPECT_EQ(action_for_key(SDLK_KP_ENTER), MenuAction::accept);
  EXPECT_EQ(action_for_key(SDLK_SPACE), MenuAction::accept);
  EXPECT_EQ(action_for_key(SDLK_ESCAPE), MenuAction::back);
  EXPECT_EQ(action_for_key(SDLK_BACKSPACE), MenuAction::back);
  EXPECT_FALSE(action_for_key(SDLK_A).has_value());
  EXPECT_FALSE(action_for_key(SDLK_TAB).has_value());
}

TEST(InputMapping, GamepadButtonsGiveTheirActions) {
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_SOUTH), MenuAction::accept);
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_EAST), MenuAction::back);
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_DPAD_UP), MenuAction::up);
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_DPAD_DOWN), MenuAction::down);
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_DPAD_LEFT), MenuAction::left);
  EXPECT_EQ(action_for_button(SDL_GAMEPAD_BUTTON_DPAD_RIGHT), MenuAction::right);
  EXPECT_FALSE(action_for_button(SDL_GAMEPAD_BUTTON_WEST).has_value());
  EXPECT_FALSE(action_for_button(SDL_GAMEPAD_BUTTON_LEFT_SHOULDER).has_value());
  EXPECT_FALSE(action_for_button(SDL_GAMEPAD_BUTTON_BACK).has_value());
}

TEST_F(InputMapperTest, HeldDownMovesAtOnceThenAfter380ThenEvery110) {
  input.key_down(SDLK_DOWN, false, false, 1000);
  ASSERT_EQ(delivered.size(), 1u);
  frames(1000, 1379);
  EXPECT_EQ(delivered.size(), 1u) << "no repeat before 380 ms";
  frames(1380, 1380);
  EXPECT_EQ(delivered.size(), 2u) << "first repeat at 380 ms";
  frames(1381, 1489);
  EXPECT_EQ(delivered.size(), 2u);
  frames(1490, 1490);
  EXPECT_EQ(delivered.size(), 3u) << "then every 110 ms";
  frames(1491, 1490 + 110 * 5);
  EXPECT_EQ(delivered.size(), 8u);
  for (MenuAction action : delivered) EXPECT_EQ(action, MenuAction::down);
}

TEST_F(InputMapperTest, RepeatIsLimitedByTheFrameRate) {
  input.key_down(SDLK_UP, false, false, 0);
  // Frames every 500 ms: one repeat per frame at most, however late.
  frames(500, 2000, 500);
  EXPECT_EQ(delivered.size(), 1u + 4u);
}

TEST_F(InputMapperTest, LeftWhileDownIsHeldStopsTheRepeat) {
  input.key_down(SDLK_DOWN, false, false, 0);
  input.key_down(SDLK_LEFT, false, false, 100);
  frames(100, 2000);
  EXPECT_EQ(delivered, (std::vector<MenuAction>{MenuAction::down, MenuAction::left}));
}

TEST_F(InputMapperTest, AcceptAndBackEndARepeatToo) {
  input.button_down(SDL_GAMEPAD_BUTTON_DPAD_UP, 0);
  input.button_down(SDL_GAMEPAD_BUTTON_SOUTH, 50);
  frames(50, 1000);
  EXPECT_EQ(delivered, (std::vector<MenuAction>{MenuAction::up, MenuAction::accept}));
}

TEST_F(InputMapperTest, ReleasingUpDoesNotStopARepeatOfDpadDown) {
  input.button_down(SDL_GAMEPAD_BUTTON_DPAD_DOWN, 0);
  input.key_up(SDLK_UP);
  input.button_up(SDL_GAMEPAD_BUTTON_DPAD_UP);
  EXPECT_EQ(input.held(), MenuAction::down);
  frames(0, 380);
  EXPECT_EQ(delivered.size(), 2u);
  input.button_up(SDL_GAMEPAD_BUTTON_DPAD_DOWN);
  frames(381, 2000);
  EXPECT_EQ(delivered.size(), 2u);
}

TEST_F(InputMapperTest, KeyUpOfTheHeldDirectionStopsIt) {
  input.key_down(SDLK_UP, false, false, 0);
  input.key_up(SDLK_UP);
  frames(0, 1000);
  EXPECT_EQ(delivered.size(), 1u);
}

TEST_F(InputMapperTest, SystemKeyRepeatsAndTextFieldsAreIgnored) {
  input.key_down(SDLK_DOWN, true, false, 0);
  input.key_down(SDLK_RETURN, false, true, 0);
  EXPECT_TRUE(delivered.empty());
  EXPECT_EQ(input.held(), MenuAction::none);
}

TEST_F(InputMapperTest, StickPastHalfWayMovesOnceThenRepeatsUntilBackInside) {
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 10000, 0);  // 0.31: inside the zone
  EXPECT_TRUE(delivered.empty());
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 20000, 10);  // 0.61: past half way
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 32767, 20);  // further out: no new move
  ASSERT_EQ(delivered, std::vector<MenuAction>{MenuAction::down});
  frames(20, 10 + 380 + 110);
  EXPECT_EQ(delivered.size(), 3u) << "held stick repeats like a held D-pad";
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 5000, 600);
  frames(600, 3000);
  EXPECT_EQ(delivered.size(), 3u) << "back inside the zone stops the repeat";
}

TEST_F(InputMapperTest, StickThresholdIsStrictlyPastHalf) {
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, -16383, 0);  // -0.49998
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, -16384, 0);  // -0.50002: past
  EXPECT_EQ(delivered, std::vector<MenuAction>{MenuAction::up});
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 16384, 0);  // straight across to down
  EXPECT_EQ(delivered, (std::vector<MenuAction>{MenuAction::up, MenuAction::down}));
}

TEST_F(InputMapperTest, HorizontalStickGivesLeftAndRightWithoutRepeat) {
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTX, -30000, 0);
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTX, -31000, 5);
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTX, 0, 10);
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTX, 30000, 20);
  frames(20, 2000);
  EXPECT_EQ(delivered, (std::vector<MenuAction>{MenuAction::left, MenuAction::right}));
}

TEST_F(InputMapperTest, HorizontalReturnDoesNotStopAVerticalRepeat) {
  input.axis_motion(SDL_GAMEPAD_AXIS_LEFTY, 30000, 0);
  input.axis_motion(SDL_GAMEPAD_AXIS_RIGHTY, 0, 5);  // other axes are ignored
  EXPECT_EQ(input.held(), MenuAction::down);
}

}  // namespace
}  // namespace korvix
