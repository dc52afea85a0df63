// Keyboard and mouse snapshots, fed through SDL's queue and the engine's pump.
#include "GLTestWindow.h"
#include "TNInput.h"
#include "platform/TNPlatform.h"

using InputTest = GLTestWindow;

static void NextFrame() {
  TNSysUpdate();
  TNInputUpdate();
}

// Current, previous, triggered and released, as in "1010".
static std::string States(unsigned char key) {
  return std::to_string(TNInputCheckCurr(key)) + std::to_string(TNInputCheckPrev(key)) +
         std::to_string(TNInputCheckTriggered(key)) + std::to_string(TNInputCheckReleased(key));
}

static std::vector<int> CursorAndDelta() {
  std::vector<int> c(4, -1);
  TNInputGetCursorPosition(&c[0], &c[1]);
  TNInputGetCursorPositionDelta(&c[2], &c[3]);
  return c;
}

TEST_F(InputTest, KeyHeldForThreeFramesTriggersOnceAndReleasesOnce) {
  const std::pair<Uint32, const char*> frames[] = {
      {SDL_KEYDOWN, "1010"}, {0, "1100"}, {0, "1100"}, {SDL_KEYUP, "0101"}, {0, "0000"}};
  for (const auto& frame : frames) {
    if (frame.first != 0) Push(frame.first, SDLK_w);
    NextFrame();
    EXPECT_EQ(frame.second, States('W'));
    EXPECT_EQ(frame.second, States('W')) << "asking twice in one frame";
  }
}

TEST_F(InputTest, TapOrClickBetweenTwoUpdatesIsSeenExactlyOnceAndTheLeftButtonIsKeyOne) {
  for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) Push(type, SDLK_e);
  for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) Push(type, SDL_BUTTON_LEFT, 300, 200);
  for (const char* expected : {"1010", "0101", "0000"}) {
    NextFrame();
    EXPECT_EQ(std::string(expected) + expected, States('E') + States(1));
  }
}

TEST_F(InputTest, CursorFollowsMotionsAndClicksWithDeltaAndIsNotClamped) {
  const int steps[][7] = {{SDL_MOUSEMOTION, 100, 50, 100, 50, 100, 50},  // the first delta after a reset is from (0, 0)
                          {SDL_MOUSEMOTION, -20, 700, -20, 700, -120, 650},
                          {SDL_MOUSEBUTTONDOWN, 640, 480, 640, 480, 660, -220}};
  for (const auto& s : steps) {
    Push(s[0], SDL_BUTTON_LEFT, s[1], s[2]);
    NextFrame();
    EXPECT_EQ(std::vector<int>(s + 3, s + 7), CursorAndDelta());
  }
}

// The visible world is kept whole and scaled to the screen; the cursor is read back in window pixels.
TEST_F(InputTest, FullScreenScalesTheWorldUpAndTheCursorDownTruncatedToWindowPixels) {
  TNToogleFullScreen(true);
  ASSERT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";
  EXPECT_TRUE(TNSysIsFullScreen());
  TNSysFrameStart();  // GL takes the new buffer size at a swap
  TNSysFrameEnd();
  StartFrame(1);
  DrawQuadAt(Quad(), 0, 0, 100, 100);    // 240 x 180 screen pixels
  DrawQuadAt(Quad(), 390, 290, 20, 20);  // the top-right corner stays visible
  // Window pixels, read at 2.4 x 1.8 screen pixels each: (1075, 455), (1084, 540), (1915, 5).
  ExpectPixels({{448, 253, kBlue}, {452, 300, kWhite}, {798, 3, kBlue}});
  TNSysFrameEnd();
  const int steps[][6] = {{0, 0, 0, 0, 0, 0}, {960, 540, 400, 300, 400, 300}, {1919, 1079, 799, 599, 399, 299}};
  for (const auto& s : steps) {
    Push(SDL_MOUSEMOTION, 0, s[0], s[1]);
    NextFrame();
    EXPECT_EQ(std::vector<int>(s + 2, s + 6), CursorAndDelta());  // 1919 x 1079 is 799.58 x 599.44
  }
  TNToogleFullScreen(false);
  ASSERT_TRUE(WaitForDrawableSize(800, 600));
  EXPECT_FALSE(TNSysIsFullScreen());
  Push(SDL_MOUSEMOTION, 0, 960, 540);
  NextFrame();
  EXPECT_EQ(std::vector<int>({960, 540, -959, -539}), CursorAndDelta());
}

TEST_F(InputTest, ResetForgetsHeldKeysAndButtonsAndTheCursor) {
  Push(SDL_KEYDOWN, SDLK_w);
  Push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 200);
  NextFrame();
  NextFrame();
  ASSERT_EQ("1100 1100", States('W') + " " + States(1));
  TNInputReset();
  EXPECT_EQ("0000 0000", States('W') + " " + States(1));
  EXPECT_EQ(std::vector<int>({0, 0, 0, 0}), CursorAndDelta());
}

TEST(VirtualKeyCodes, SdlKeysMapToTheEngineCodes) {
  const int cases[][3] = {{SDLK_w, SDL_SCANCODE_W, 87},       {SDLK_F11, SDL_SCANCODE_F11, 122},
                          {SDLK_LEFT, SDL_SCANCODE_LEFT, 37}, {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
                          {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16}, {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 0},
                          {0x3C9, SDL_SCANCODE_W, 87}};  // a layout whose W key types omega still walks
  for (const auto& c : cases) EXPECT_EQ(c[2], TNPlatVirtualKeyFromKeycode(c[0], c[1])) << c[0];
}
