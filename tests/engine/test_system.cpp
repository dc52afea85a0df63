// Window life cycle, event dispatch and the full-screen switch.
#include <gtest/gtest.h>

#include <vector>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "TNSystem.h"

namespace {

class SystemTest : public GLTestWindow {};

TEST_F(SystemTest, OpensAFixedSizeWindowTitledTarnelEngine) {
  int width = 0, height = 0;
  SDL_GetWindowSize(TestWindow(), &width, &height);
  EXPECT_EQ(800, width);
  EXPECT_EQ(600, height);
  EXPECT_FALSE(SDL_GetWindowFlags(TestWindow()) & SDL_WINDOW_RESIZABLE);
  EXPECT_STREQ("Tarnel Engine", SDL_GetWindowTitle(TestWindow()));
  TNSysSetWindowTitle("Sorca");
  EXPECT_STREQ("Sorca", SDL_GetWindowTitle(TestWindow()));
}

TEST_F(SystemTest, ClosingTheWindowDropsTheExistsFlagAndFramesStillRun) {
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  TNSysUpdate();
  EXPECT_EQ(0, TNSysDoesWindowExist());
  EXPECT_EQ(nullptr, TNSysGetWindowHandle());
  TNSysUpdate();
  // The engine does not stop by itself; the caller may finish its frame.
  TNSysFrameStart();
  TNGfxSetRenderMode(1);
  TNSysFrameEnd();
  EXPECT_EQ(0, TNSysDoesWindowExist());
}

TEST_F(SystemTest, TheSessionEndingClosesTheWindowToo) {
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  TNSysUpdate();
  EXPECT_EQ(0, TNSysDoesWindowExist());
}

TEST_F(SystemTest, FocusEventsSetTheActiveFlagThroughTheFrameEndPump) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  TNSysUpdate();
  EXPECT_EQ(0, gTNSysAppActive);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  TNSysFrameStart();
  TNSysFrameEnd();
  EXPECT_EQ(1, gTNSysAppActive);
  EXPECT_EQ(1, TNSysDoesWindowExist());
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
}

TEST_F(SystemTest, FullScreenScalesByTheDesktopAndKeepsTheLogicalSize) {
  TNToogleFullScreen(true);
  float scaleX = 0.0f, scaleY = 0.0f;
  TNSysGetScale(&scaleX, &scaleY);
  EXPECT_FLOAT_EQ(2.4f, scaleX);
  EXPECT_FLOAT_EQ(1.8f, scaleY);
  EXPECT_TRUE(TNSysIsFullScreen());
  EXPECT_EQ(800, TNGetWindowWidth());
  EXPECT_EQ(600, TNGetWindowHeight());
  EXPECT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";

  TNToogleFullScreen(false);
  TNSysGetScale(&scaleX, &scaleY);
  EXPECT_FLOAT_EQ(1.0f, scaleX);
  EXPECT_FLOAT_EQ(1.0f, scaleY);
  EXPECT_FALSE(TNSysIsFullScreen());
  EXPECT_TRUE(WaitForDrawableSize(800, 600));
  EXPECT_EQ(800, TNGetWindowWidth());
  EXPECT_EQ(600, TNGetWindowHeight());
}

std::vector<SDL_Event> gSeenEvents;

int RecordingWindowProc(const SDL_Event* event) {
  gSeenEvents.push_back(*event);
  return 0;
}

class CustomWindowProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gSeenEvents.clear();
    ASSERT_EQ(1, TNSysInit(nullptr, 1, 800, 600, 0, 0, RecordingWindowProc));
    SettleWindow();
  }
  void TearDown() override { TNSysExit(); }
};

TEST_F(CustomWindowProcTest, ReceivesEveryEventInsteadOfTheDefault) {
  TNSysUpdate();
  gSeenEvents.clear();
  gTNSysAppActive = 1;
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  PushKey(SDLK_q, SDL_SCANCODE_Q, true);
  TNSysUpdate();
  ASSERT_EQ(3u, gSeenEvents.size());
  EXPECT_EQ(SDL_WINDOWEVENT_FOCUS_LOST, gSeenEvents[0].window.event);
  EXPECT_EQ(SDL_WINDOWEVENT_CLOSE, gSeenEvents[1].window.event);
  EXPECT_EQ(SDL_KEYDOWN, gSeenEvents[2].type);
  // The default handling did not run.
  EXPECT_EQ(1, gTNSysAppActive);
  EXPECT_EQ(1, TNSysDoesWindowExist());
  // Keys are tracked whatever procedure handles the events.
  TNInputUpdate();
  EXPECT_EQ(1, TNInputCheckCurr('Q'));
}

TEST(SystemStartUp, PrintsTheVersionBannerFirst) {
  ::testing::internal::CaptureStdout();
  const int started = TNSysInit(nullptr, 1, 800, 600, 0, 60, nullptr);
  const std::string output = ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(1, started);
  EXPECT_EQ(0u, output.find("Tarnel Engine version: 3.04\n\nGraphics: OpenGL\n")) << output;
  TNSysExit();
}

}  // namespace
