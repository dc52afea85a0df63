// Keyboard and mouse snapshots, fed through SDL's queue and the engine's pump.
#include <gtest/gtest.h>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"
#include "TNInput.h"
#include "platform/TNPlatform.h"

namespace {

const unsigned char kW = 'W';
const unsigned char kLeftButton = 1;

class InputTest : public GLTestWindow {
 protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    TNSysReset();
    TNSysUpdate();  // whatever the window system queued at start-up
  }

  // What the game does between two frames: the pump, then the snapshot.
  static void NextFrame() {
    TNSysUpdate();
    TNInputUpdate();
  }
};

struct KeyState {
  int curr, prev, triggered, released;
};

KeyState StateOf(unsigned char key) {
  return KeyState{TNInputCheckCurr(key), TNInputCheckPrev(key), TNInputCheckTriggered(key),
                  TNInputCheckReleased(key)};
}

#define EXPECT_KEY(key, c, p, t, r)                  \
  do {                                               \
    const KeyState s = StateOf(key);                 \
    EXPECT_EQ(c, s.curr) << "current";               \
    EXPECT_EQ(p, s.prev) << "previous";              \
    EXPECT_EQ(t, s.triggered) << "triggered";        \
    EXPECT_EQ(r, s.released) << "released";          \
  } while (0)

TEST_F(InputTest, KeyHeldForThreeFramesTriggersOnceAndReleasesOnce) {
  PushKey(SDLK_w, SDL_SCANCODE_W, true);
  NextFrame();
  EXPECT_KEY(kW, 1, 0, 1, 0);
  EXPECT_EQ(1, TNInputCheckTriggered(kW)) << "asking twice in one frame";
  NextFrame();
  EXPECT_KEY(kW, 1, 1, 0, 0);
  NextFrame();
  EXPECT_KEY(kW, 1, 1, 0, 0);
  PushKey(SDLK_w, SDL_SCANCODE_W, false);
  NextFrame();
  EXPECT_KEY(kW, 0, 1, 0, 1);
  NextFrame();
  EXPECT_KEY(kW, 0, 0, 0, 0);
}

TEST_F(InputTest, TapOrClickBetweenTwoUpdatesIsSeenExactlyOnce) {
  PushKey(SDLK_e, SDL_SCANCODE_E, true);
  PushKey(SDLK_e, SDL_SCANCODE_E, false);
  PushMouseButton(SDL_BUTTON_LEFT, true, 300, 200);
  PushMouseButton(SDL_BUTTON_LEFT, false, 300, 200);
  NextFrame();
  EXPECT_KEY('E', 1, 0, 1, 0);
  EXPECT_KEY(kLeftButton, 1, 0, 1, 0);
  NextFrame();
  EXPECT_KEY('E', 0, 1, 0, 1);
  EXPECT_KEY(kLeftButton, 0, 1, 0, 1);
  NextFrame();
  EXPECT_KEY('E', 0, 0, 0, 0);
}

TEST_F(InputTest, MouseButtonsAreVirtualKeysOneTwoAndFour) {
  PushMouseButton(SDL_BUTTON_LEFT, true, 10, 10);
  PushMouseButton(SDL_BUTTON_RIGHT, true, 10, 10);
  PushMouseButton(SDL_BUTTON_MIDDLE, true, 10, 10);
  NextFrame();
  EXPECT_EQ(1, TNInputCheckCurr(kLeftButton));
  EXPECT_EQ(1, TNInputCheckCurr(2));
  EXPECT_EQ(1, TNInputCheckCurr(4));
  EXPECT_EQ(0, TNInputCheckCurr(3));

  PushMouseButton(SDL_BUTTON_RIGHT, false, 10, 10);
  NextFrame();
  EXPECT_EQ(1, TNInputCheckCurr(kLeftButton));
  EXPECT_EQ(1, TNInputCheckReleased(2));
  EXPECT_EQ(1, TNInputCheckCurr(4));
}

TEST_F(InputTest, CursorFollowsEventsWithDeltaAndIsNotClamped) {
  PushMouseMotion(100, 50);
  NextFrame();
  int x = 0, y = 0, dx = 0, dy = 0;
  TNInputGetCursorPosition(&x, &y);
  TNInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(100, x);
  EXPECT_EQ(50, y);
  EXPECT_EQ(100, dx);  // the first update after a reset reports the whole position
  EXPECT_EQ(50, dy);

  PushMouseMotion(-20, 700);
  NextFrame();
  TNInputGetCursorPosition(&x, &y);
  TNInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(-20, x);
  EXPECT_EQ(700, y);
  EXPECT_EQ(-120, dx);
  EXPECT_EQ(650, dy);

  PushMouseButton(SDL_BUTTON_LEFT, true, 640, 480);
  NextFrame();
  TNInputGetCursorPosition(&x, &y);
  EXPECT_EQ(640, x);
  EXPECT_EQ(480, y);
}

TEST_F(InputTest, FullScreenCursorIsConvertedToLogicalPixels) {
  TNToogleFullScreen(true);
  ASSERT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";
  PushMouseMotion(0, 0);
  NextFrame();
  PushMouseMotion(960, 540);
  NextFrame();
  int x = 0, y = 0, dx = 0, dy = 0;
  TNInputGetCursorPosition(&x, &y);
  TNInputGetCursorPositionDelta(&dx, &dy);
  EXPECT_EQ(400, x);
  EXPECT_EQ(300, y);
  EXPECT_EQ(400, dx);
  EXPECT_EQ(300, dy);

  PushMouseMotion(1919, 1079);  // 799.58, 599.44: truncated, not rounded
  NextFrame();
  TNInputGetCursorPosition(&x, &y);
  EXPECT_EQ(799, x);
  EXPECT_EQ(599, y);

  TNToogleFullScreen(false);
  ASSERT_TRUE(WaitForDrawableSize(800, 600));
  PushMouseMotion(960, 540);
  NextFrame();
  TNInputGetCursorPosition(&x, &y);
  EXPECT_EQ(960, x);
  EXPECT_EQ(540, y);
}

TEST_F(InputTest, CursorDisplayCounterShowsWhileNotNegative) {
  EXPECT_EQ(-1, TNInputShowCursor(0));
  EXPECT_EQ(-2, TNInputShowCursor(0));
  EXPECT_EQ(-1, TNInputShowCursor(1));
  EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY));
  EXPECT_EQ(0, TNInputShowCursor(1));
  EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
}

TEST(VirtualKeyCodes, SdlKeysMapToTheEngineCodes) {
  EXPECT_EQ(87, TNPlatVirtualKeyFromKeycode(SDLK_w, SDL_SCANCODE_W));
  EXPECT_EQ(122, TNPlatVirtualKeyFromKeycode(SDLK_F11, SDL_SCANCODE_F11));
  EXPECT_EQ(37, TNPlatVirtualKeyFromKeycode(SDLK_LEFT, SDL_SCANCODE_LEFT));
  EXPECT_EQ(40, TNPlatVirtualKeyFromKeycode(SDLK_DOWN, SDL_SCANCODE_DOWN));
  EXPECT_EQ(16, TNPlatVirtualKeyFromKeycode(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT));
  // A layout whose W key types no Latin letter (here omega) still walks.
  EXPECT_EQ(87, TNPlatVirtualKeyFromKeycode(0x3C9, SDL_SCANCODE_W));
  EXPECT_EQ(0, TNPlatVirtualKeyFromKeycode(SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK));
}

}  // namespace
