// Window life cycle and event dispatch.
#include "GLTestWindow.h"
#include "TNFrameRateController.h"
#include "TNInput.h"

static std::vector<SDL_Event> gSeenEvents;

// Starts the engine with the given window procedure (null: the default one) and settles the window.
static std::string Start(TNWindowProc windowProc) {
  ::testing::internal::CaptureStdout();
  const int started = TNSysInit(nullptr, 1, 800, 600, 0, 0, windowProc);
  const std::string output = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, started);
  SettleWindow();
  return output;
}

TEST(System, PrintsTheBannerFirstAndOpensAFixedSizeWindowTitledTarnelEngine) {
  EXPECT_EQ(0u, Start(nullptr).find("Tarnel Engine version: 3.04\n\nGraphics: OpenGL\n"));
  int width = 0, height = 0;
  SDL_GetWindowSize(TestWindow(), &width, &height);
  EXPECT_TRUE(width == 800 && height == 600 && !(SDL_GetWindowFlags(TestWindow()) & SDL_WINDOW_RESIZABLE));
  EXPECT_STREQ("Tarnel Engine", SDL_GetWindowTitle(TestWindow()));
  TNSysSetWindowTitle("Sorca");
  EXPECT_STREQ("Sorca", SDL_GetWindowTitle(TestWindow()));
  TNSysExit();
}

// Both the close button and the session ending (SIGINT, logout) take the window away; the engine
// does not stop by itself, so the caller may still finish its frame.
TEST(System, ClosingTheWindowOrEndingTheSessionDropsTheWindowAndFramesStillRun) {
  for (Uint32 type : {SDL_WINDOWEVENT, SDL_QUIT}) {
    Start(nullptr);
    Push(type, SDL_WINDOWEVENT_CLOSE);
    TNSysUpdate();
    EXPECT_TRUE(TNSysDoesWindowExist() == 0 && TNSysGetWindowHandle() == nullptr) << type;
    TNSysFrameStart();
    TNGfxSetRenderMode(1);
    TNSysFrameEnd();
    EXPECT_EQ(0, TNSysDoesWindowExist());
    TNSysExit();
  }
}

TEST(System, FocusEventsSetTheActiveFlagThroughTheFrameEndPump) {
  Start(nullptr);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
  TNSysUpdate();
  EXPECT_EQ(0, gTNSysAppActive);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED);
  TNSysFrameStart();
  TNSysFrameEnd();
  EXPECT_TRUE(gTNSysAppActive == 1 && TNSysDoesWindowExist() == 1);
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
  TNSysExit();
}

TEST(System, ACustomWindowProcedureReceivesEveryEventInsteadOfTheDefaultWhileKeysAreStillTracked) {
  Start([](const SDL_Event* event) {
    gSeenEvents.push_back(*event);
    return 0;
  });
  gSeenEvents.clear();
  gTNSysAppActive = 1;
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
  Push(SDL_KEYDOWN, SDLK_q);
  TNSysUpdate();
  ASSERT_EQ(3u, gSeenEvents.size());
  EXPECT_EQ(SDL_WINDOWEVENT_FOCUS_LOST, gSeenEvents[0].window.event);
  EXPECT_EQ(SDL_WINDOWEVENT_CLOSE, gSeenEvents[1].window.event);
  EXPECT_EQ(SDL_KEYDOWN, gSeenEvents[2].type);
  EXPECT_TRUE(gTNSysAppActive == 1 && TNSysDoesWindowExist() == 1) << "the default handling ran";
  TNInputUpdate();
  EXPECT_EQ(1, TNInputCheckCurr('Q'));
  TNSysExit();
}

