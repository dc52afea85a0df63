// System module: the window, the event pump, the frame bracket and the
// windowed/full-screen switch.
#include "TNSystem.h"

#include <SDL.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>

#include "TNEngineInternal.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "platform/TNPlatform.h"

int gTNSysAppActive = 0;
static int sInBackground = 0;

static TNInstanceHandle sInstance = nullptr;
static TNWindowProc sWindowProc = nullptr;
static int sWindowExists = 0;
static bool sFullScreen = false;
static float sScaleX = 1.0f;
static float sScaleY = 1.0f;
// The screen size behind the scale factors while full screen.
static int sScreenWidth = 0;
static int sScreenHeight = 0;

static const char* const kInitialTitle = "Tarnel Engine";
static const double kEngineVersion = 3.04;

static void DispatchEvent(const SDL_Event* event) { sWindowProc(event); }

static bool IsOurWindowEvent(const SDL_Event* event) {
  return event->type == SDL_WINDOWEVENT && event->window.windowID == TNPlatWindowId() &&
         TNPlatWindowId() != 0;
}

static void CloseWindow() {
  TNPlatDestroyWindow();
  sWindowExists = 0;
}

int TNSysIsInBackground(void) { return sInBackground; }

int TNSysDefaultWindowProc(const SDL_Event* event) {
  if (!event) return 1;
  // The session ending (or SIGINT/SIGTERM) takes the window away just as
  // the window manager's close button does.
  if (event->type == SDL_QUIT) {
    CloseWindow();
    return 0;
  }
  if (!IsOurWindowEvent(event)) return 1;
  switch (event->window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      gTNSysAppActive = 1;
      sInBackground = 0;
      return 0;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      gTNSysAppActive = 0;
      sInBackground = 1;
      return 0;
    case SDL_WINDOWEVENT_CLOSE:
      CloseWindow();
      return 0;
    case SDL_WINDOWEVENT_EXPOSED:
      // Every frame repaints the whole window anyway.
      return 0;
    default:
      return 1;
  }
}

int TNSysInit(TNInstanceHandle instance, int showCommand, int width, int height, int createConsole,
              unsigned int maxFrameRate, TNWindowProc windowProc) {
  // Standard output already is the console here; the console flag asks for nothing more.
  (void)createConsole;
  (void)showCommand;
  sInstance = instance;
  sInBackground = 0;
  printf("Tarnel Engine version: %2.2f\n\n", kEngineVersion);
  sWindowProc = windowProc ? windowProc : TNSysDefaultWindowProc;
  sFullScreen = false;
  sScreenWidth = 0;
  sScreenHeight = 0;
  sScaleX = 1.0f;
  sScaleY = 1.0f;
  if (!TNPlatOpenWindow(kInitialTitle, width, height)) return 0;
  sWindowExists = 1;
  if (!TNGfxInit(width, height)) return 0;
  if (!TNInputInit()) return 0;
  TNFrameRateControllerInit(maxFrameRate);
  return 1;
}

void TNSysReset(void) {
  TNFrameRateControllerReset();
  TNInputReset();
}

void TNSysExit(void) {
  TNInputExit();
  TNGfxExit();
  TNPlatShutdown();
  sWindowExists = 0;
  sInstance = nullptr;
}

void TNSysFrameStart(void) {
  TNFrameRateControllerStart();
  TNGfxStart();
}

void TNSysFrameEnd(void) {
  TNGfxEnd();
  TNFrameRateControllerEnd();
  TNSysUpdate();
}

void TNSysUpdate(void) {
  if (!sWindowProc) sWindowProc = TNSysDefaultWindowProc;
  TNPlatPumpEvents(DispatchEvent);
}

void TNSysSetWindowTitle(const char* title) { TNPlatSetTitle(title); }

// Only glibc hands freed heap back to the system on request.
void TNSysReleaseFreeMemory(void) {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

TNWindowHandle TNSysGetWindowHandle(void) { return TNPlatWindow(); }

int TNSysDoesWindowExist(void) { return sWindowExists; }

static bool HaveScreenAndLogicalSize() {
  return sScreenWidth > 0 && sScreenHeight > 0 && TNGetWindowWidth() > 0 && TNGetWindowHeight() > 0;
}

void TNToogleFullScreen(bool fullScreen) {
  sFullScreen = fullScreen;
  TNPlatScreenSize(&sScreenWidth, &sScreenHeight);
  if (fullScreen && HaveScreenAndLogicalSize()) {
    sScaleX = static_cast<float>(sScreenWidth) / static_cast<float>(TNGetWindowWidth());
    sScaleY = static_cast<float>(sScreenHeight) / static_cast<float>(TNGetWindowHeight());
  } else {
    sScaleX = 1.0f;
    sScaleY = 1.0f;
  }
  TNPlatSetFullScreen(fullScreen, TNGetWindowWidth(), TNGetWindowHeight());
}

bool TNSysIsFullScreen() { return sFullScreen; }

void TNSysGetScale(float* scaleX, float* scaleY) {
  if (scaleX) *scaleX = sScaleX;
  if (scaleY) *scaleY = sScaleY;
}

void TNSysScreenToLogical(int* x, int* y) {
  if (!sFullScreen || !HaveScreenAndLogicalSize()) return;
  if (x) *x = static_cast<int>(static_cast<long long>(*x) * TNGetWindowWidth() / sScreenWidth);
  if (y) *y = static_cast<int>(static_cast<long long>(*y) * TNGetWindowHeight() / sScreenHeight);
}
