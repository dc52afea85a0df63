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

TEST_F(InputTest, TapOrClickBetweenTwoUpdatesIsSeenExactlyOnceAndButtonsAreKeysOneTwoAndFour) {
  for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) Push(type, SDLK_e);
  for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) Push(type, SDL_BUTTON_LEFT, 300, 200);
  for (const char* expected : {"1010", "0101", "0000"}) {
    NextFrame();
    EXPECT_EQ(std::string(expected) + expected, States('E') + States(1));
  }
  for (Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) Push(SDL_MOUSEBUTTONDOWN, button);
  NextFrame();
  EXPECT_EQ("1010 1010 0000 1010", States(1) + " " + States(2) + " " + States(3) + " " + States(4));
  Push(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  NextFrame();
  EXPECT_EQ("1100 0101 1100", States(1) + " " + States(2) + " " + States(4));
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

TEST_F(InputTest, FullScreenCursorIsTruncatedToLogicalPixels) {
  TNToogleFullScreen(true);
  ASSERT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";
  EXPECT_TRUE(TNSysIsFullScreen());
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


// A journal's hook sees each snapshot as the devices gave it and may put another in its place.
static TNInputSample gSeen;
static void KeepAndReplace(TNInputSample* sample) {
  gSeen = *sample;
  memset(sample->keys, 0, sizeof sample->keys);
  sample->keys['E'] = 0x80;
  sample->cursorX = -5, sample->cursorY = 700, sample->cursorDeltaX = 1, sample->cursorDeltaY = 2;
}

TEST_F(InputTest, TheSampleHookSeesEachSnapshotAndWhatItWritesIsWhatTheFrameAnswers) {
  TNInputSetSampleHook(KeepAndReplace);
  Push(SDL_KEYDOWN, SDLK_w);
  Push(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 200);
  NextFrame();
  EXPECT_TRUE(gSeen.keys['W'] == 0x80 && gSeen.keys[1] == 0x80 && gSeen.keys['E'] == 0);
  EXPECT_EQ(std::vector<int>({300, 200, 300, 200}),
            std::vector<int>({gSeen.cursorX, gSeen.cursorY, gSeen.cursorDeltaX, gSeen.cursorDeltaY}));
  EXPECT_EQ("1010 0000 0000", States('E') + " " + States('W') + " " + States(1));
  EXPECT_EQ(std::vector<int>({-5, 700, 1, 2}), CursorAndDelta());
  NextFrame();
  EXPECT_EQ("1100", States('E')) << "the replaced snapshot is the next frame's previous one";
  TNInputSetSampleHook(nullptr);
  NextFrame();
  EXPECT_EQ("0101 1010", States('E') + " " + States('W')) << "W is still held; the frame before said up";
  EXPECT_EQ(std::vector<int>({300, 200, 0, 0}), CursorAndDelta());
}
