#include <windows.h>

#include <gtest/gtest.h>

#include "platform/keyboard.h"

namespace korvix {
namespace {

void send_key(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(1, &input, sizeof(input)), 1u);
}

// Holds a key through injected input, released again whatever the test does.
class HeldKey {
 public:
  explicit HeldKey(WORD key) : key_(key) { send_key(key_, true); }
  ~HeldKey() { send_key(key_, false); }

 private:
  WORD key_;
};

TEST(KeyboardWin32, ShiftIsReadFromTheAsynchronousKeyState) {
  EXPECT_FALSE(system_reports_shift_held());
  {
    HeldKey control(VK_CONTROL);
    EXPECT_FALSE(system_reports_shift_held());
  }
  for (WORD shift : {WORD{VK_SHIFT}, WORD{VK_LSHIFT}, WORD{VK_RSHIFT}}) {
    {
      HeldKey held(shift);
      EXPECT_TRUE(system_reports_shift_held()) << shift;
    }
    EXPECT_FALSE(system_reports_shift_held()) << shift;
  }
}

}  // namespace
}  // namespace korvix
