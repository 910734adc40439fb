// Frames whose picture can't differ from the one on screen are not presented.
#include "app/redraw_gate.h"

#include <gtest/gtest.h>

#include "support/headless_imgui.h"

namespace korvix {
namespace {

struct Picture {
  ImVec2 text_at{100, 100};
  ImU32 colour = IM_COL32(255, 255, 255, 255);
  ImTextureID image = 7;  // a texture of the launcher's own, as the banner's
  float clip_right = 1280;
  const char* text = "Play";
};

class RedrawGateTest : public ::testing::Test {
 protected:
  // Builds one frame; `pending` leaves a texture request unanswered, as the
  // library does when it adds glyphs to its atlas.
  bool frame(const Picture& picture, bool pending = false) {
    ImGui::NewFrame();
    ImDrawList* draw = ImGui::GetForegroundDrawList();
    draw->PushClipRect(ImVec2(0, 0), ImVec2(picture.clip_right, 760));
    draw->AddText(picture.text_at, picture.colour, picture.text);
    draw->AddImage(ImTextureRef(picture.image), ImVec2(10, 10), ImVec2(50, 30));
    draw->PopClipRect();
    ImGui::Render();
    if (pending) ImGui::GetPlatformIO().Textures[0]->SetStatus(ImTextureStatus_WantUpdates);
    bool present = gate.needs_present(*ImGui::GetDrawData());
    test::HeadlessImGui::serve_texture_requests();  // as rendering does
    return present;
  }

  test::HeadlessImGui imgui{1280, 760};
  RedrawGate gate;
};

TEST_F(RedrawGateTest, OnlyFramesThatMayLookDifferentArePresented) {
  Picture moved;
  moved.text_at = ImVec2(100, 137);
  Picture recoloured;
  recoloured.colour = IM_COL32(255, 204, 0, 255);
  Picture other_texture;
  other_texture.image = 8;
  Picture clipped;
  clipped.clip_right = 600;
  Picture other_text;
  other_text.text = "Plby";

  struct Step {
    const char* what;
    Picture picture;
    bool pending;
    bool presented;
  };
  const Step steps[] = {
      {"the first frame: nothing is on screen yet", {}, false, true},
      {"the same picture", {}, false, false},
      {"and again", {}, false, false},
      {"a text moved", moved, false, true},
      {"it stays there", moved, false, false},
      {"back again", {}, false, true},
      {"another colour", recoloured, false, true},
      {"another texture", other_texture, false, true},
      {"another clip rectangle", clipped, false, true},
      {"one letter differs", other_text, false, true},
      {"the same draw data, but the atlas waits for an update", other_text, true, true},
      {"nothing pending any more", other_text, false, false},
  };
  for (const Step& step : steps) EXPECT_EQ(frame(step.picture, step.pending), step.presented) << step.what;
}

TEST_F(RedrawGateTest, AForcedFrameIsPresentedOnce) {
  ASSERT_TRUE(frame({}));
  ASSERT_FALSE(frame({}));
  gate.force();  // a window event, or a texture rewritten in place
  EXPECT_TRUE(frame({}));
  EXPECT_FALSE(frame({}));
}

TEST_F(RedrawGateTest, TheWindowSizeIsPartOfThePicture) {
  ASSERT_TRUE(frame({}));
  ImGui::GetIO().DisplaySize = ImVec2(1280, 600);
  EXPECT_TRUE(frame({}));
  EXPECT_FALSE(frame({}));
}

}  // namespace
}  // namespace korvix
