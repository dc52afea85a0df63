// Window life cycle and event dispatch.
#include "GLTestWindow.h"
#include "TNFrameRateController.h"
#include "TNInput.h"

static std::string gSeen;  // the pushed events a window procedure saw: C(lose) and K(ey)

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

// The close button and the session ending (SIGINT, logout) drop the window; the caller still ends its frame.
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

// Other test processes open windows on the same display and take the focus
// at any moment: only the test's own focus events (marked) reach the engine.
static const Sint32 kOwnFocusEvent = 0x5ca1ab1e;
static int KeepOwnFocusEvents(void*, SDL_Event* event) {
  const bool focus = event->type == SDL_WINDOWEVENT && (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                                                        event->window.event == SDL_WINDOWEVENT_FOCUS_LOST);
  return !focus || event->window.data1 == kOwnFocusEvent;
}

static void PushFocus(Uint8 change) {
  SDL_Event event = {};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(TestWindow());
  event.window.event = change;
  event.window.data1 = kOwnFocusEvent;
  SDL_PushEvent(&event);
}

TEST(System, FocusEventsSetTheActiveFlagThroughTheFrameEndPump) {
  Start(nullptr);
  SDL_SetEventFilter(KeepOwnFocusEvents, nullptr);
  PushFocus(SDL_WINDOWEVENT_FOCUS_LOST);
  TNSysUpdate();
  EXPECT_EQ(0, gTNSysAppActive);
  PushFocus(SDL_WINDOWEVENT_FOCUS_GAINED);
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED);
  TNSysFrameStart();
  TNSysFrameEnd();
  EXPECT_TRUE(gTNSysAppActive == 1 && TNSysDoesWindowExist() == 1);
  EXPECT_EQ(1u, TNFrameRateControllerGetFrameCount());
  SDL_SetEventFilter(nullptr, nullptr);
  TNSysExit();
}

TEST(System, ACustomWindowProcedureReceivesEveryEventInsteadOfTheDefaultWhileKeysAreStillTracked) {
  Start([](const SDL_Event* event) {
    const bool close = event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_CLOSE;
    gSeen += event->type == SDL_KEYDOWN ? "K" : close ? "C" : "";
    return 0;
  });
  gSeen.clear();
  Push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
  Push(SDL_KEYDOWN, SDLK_q);
  TNSysUpdate();
  EXPECT_EQ("CK", gSeen);  // the window system may add events of its own
  EXPECT_EQ(1, TNSysDoesWindowExist()) << "the default handling ran";
  TNInputUpdate();
  EXPECT_EQ(1, TNInputCheckCurr('Q'));
  TNSysExit();
}

