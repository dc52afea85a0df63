// SDL2 implementation of the engine's window-system layer.
#include "TNPlatform.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {

const unsigned char kKeyDown = 0x80;

SDL_Window* sWindow = nullptr;
SDL_GLContext sContext = nullptr;
bool sVideoStarted = false;

unsigned char sKeysHeld[256];
// Keys that went down since the last snapshot, even if already up again.
unsigned char sKeysPressedSinceSnapshot[256];
int sCursorX = 0;
int sCursorY = 0;
int sCursorCounter = 0;

void RequestContextAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#ifdef __EMSCRIPTEN__
  // OpenGL ES 2.0: WebGL 1.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
#else
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
#endif
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
}

bool StartVideo() {
  if (sVideoStarted) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    printf("Cannot start the video subsystem: %s\n", SDL_GetError());
    return false;
  }
  sVideoStarted = true;
  return true;
}

void SetKey(unsigned char key, bool down) {
  if (key == 0) return;
  if (down) {
    sKeysHeld[key] = kKeyDown;
    sKeysPressedSinceSnapshot[key] = kKeyDown;
  } else {
    sKeysHeld[key] = 0;
  }
}

void TrackInput(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (event.key.repeat) return;
      SetKey(TNPlatVirtualKeyFromKeycode(event.key.keysym.sym, event.key.keysym.scancode),
             event.type == SDL_KEYDOWN);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      SetKey(TNPlatVirtualKeyFromMouseButton(event.button.button),
             event.type == SDL_MOUSEBUTTONDOWN);
      sCursorX = event.button.x;
      sCursorY = event.button.y;
      return;
    case SDL_MOUSEMOTION:
      sCursorX = event.motion.x;
      sCursorY = event.motion.y;
      return;
    default:
      return;
  }
}

unsigned char VirtualKeyFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return static_cast<unsigned char>('A' + (scancode - SDL_SCANCODE_A));
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return static_cast<unsigned char>('1' + (scancode - SDL_SCANCODE_1));
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

}  // namespace

unsigned char TNPlatVirtualKeyFromKeycode(int keycode, int scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return static_cast<unsigned char>('A' + (keycode - SDLK_a));
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return static_cast<unsigned char>('0' + (keycode - SDLK_0));
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return static_cast<unsigned char>(112 + (keycode - SDLK_F1));
  if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return static_cast<unsigned char>(97 + (keycode - SDLK_KP_1));
  switch (keycode) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_SPACE: return 32;
    case SDLK_BACKSPACE: return 8;
    case SDLK_DELETE: return 46;
    case SDLK_KP_0: return 96;
    case SDLK_TAB: return 9;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 17;
    case SDLK_LALT:
    case SDLK_RALT: return 18;
    default:
      // Layouts whose letter keys produce no Latin keycode still walk with WASD.
      return VirtualKeyFromScancode(scancode);
  }
}

unsigned char TNPlatVirtualKeyFromMouseButton(int button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 4;
    default: return 0;
  }
}

bool TNPlatOpenWindow(const char* title, int width, int height) {
  if (!StartVideo()) return false;
  RequestContextAttributes();
  sWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!sWindow) {
    printf("Cannot create the window: %s\n", SDL_GetError());
    return false;
  }
  // The game polls keys; text input would only add IME events.
  SDL_StopTextInput();
  return true;
}

void TNPlatDestroyWindow() {
  if (!sWindow) return;
  SDL_DestroyWindow(sWindow);
  sWindow = nullptr;
}

void TNPlatShutdown() {
  TNPlatDestroyGLContext();
  TNPlatDestroyWindow();
  if (sVideoStarted) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    sVideoStarted = false;
  }
}

void* TNPlatWindow() { return sWindow; }

unsigned int TNPlatWindowId() { return sWindow ? SDL_GetWindowID(sWindow) : 0; }

void TNPlatSetTitle(const char* title) {
  if (sWindow && title) SDL_SetWindowTitle(sWindow, title);
}

bool TNPlatCreateGLContext() {
  if (!sWindow) return false;
  sContext = SDL_GL_CreateContext(sWindow);
  if (!sContext) {
    printf("Cannot create the OpenGL context: %s\n", SDL_GetError());
    return false;
  }
  if (SDL_GL_MakeCurrent(sWindow, sContext) != 0) {
    SDL_GL_DeleteContext(sContext);
    sContext = nullptr;
    return false;
  }
#ifndef __EMSCRIPTEN__
  // The frame-rate controller alone decides the pace of frames (in the
  // browser, the animation frames do).
  SDL_GL_SetSwapInterval(0);
#endif
  return true;
}

void TNPlatDestroyGLContext() {
  if (!sContext) return;
  SDL_GL_DeleteContext(sContext);
  sContext = nullptr;
}

void TNPlatSwapBuffers() {
  if (sWindow && sContext) SDL_GL_SwapWindow(sWindow);
}

void TNPlatScreenSize(int* width, int* height) {
  SDL_DisplayMode mode;
  int display = sWindow ? SDL_GetWindowDisplayIndex(sWindow) : 0;
  if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) {
    mode.w = 0;
    mode.h = 0;
  }
  if (width) *width = mode.w;
  if (height) *height = mode.h;
}

void TNPlatSetFullScreen(bool fullScreen, int width, int height) {
  if (!sWindow) return;
  if (fullScreen) {
    SDL_SetWindowFullscreen(sWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_SetWindowFullscreen(sWindow, 0);
  SDL_SetWindowSize(sWindow, width, height);
  SDL_SetWindowPosition(sWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void TNPlatPumpEvents(TNPlatEventSink sink) {
  if (!sVideoStarted) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    TrackInput(event);
    if (sink) sink(&event);
  }
}

void TNPlatTakeKeySnapshot(unsigned char keys[256]) {
  for (int i = 0; i < 256; ++i) keys[i] = sKeysHeld[i] | sKeysPressedSinceSnapshot[i];
  memset(sKeysPressedSinceSnapshot, 0, sizeof sKeysPressedSinceSnapshot);
}

void TNPlatCursorPosition(int* x, int* y) {
  if (x) *x = sCursorX;
  if (y) *y = sCursorY;
}

int TNPlatShowCursor(bool show) {
  sCursorCounter += show ? 1 : -1;
  if (sVideoStarted) SDL_ShowCursor(sCursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return sCursorCounter;
}
