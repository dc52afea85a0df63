#ifndef SORCA_PLAY_HARNESS_H
#define SORCA_PLAY_HARNESS_H
/*
 * PlayHarness: runs the game's real state loop from any state, one frame at
 * a time, and plays it like a person would: key presses, clicks and cursor
 * moves go in as SDL events through the engine's own event pump and input
 * snapshot.
 *
 *   PlayHarness h;                       // the menu, windowed, uncapped
 *   h.Frames(403);
 *   h.Click(400, 250);
 *   h.RunUntil([] { return currentStateId == 4; }, 100);
 *
 * Input given between two frames is seen by the next frame. Coordinates are
 * logical window pixels (800 x 600, origin top-left, y down), converted to
 * the real window's pixels while full screen. Needs a display (Xvfb works);
 * sound falls back to SDL's dummy driver unless another one is chosen.
 */
#include <SDL.h>
#include <GL/glew.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BaseGameState.h"
#include "GameLoop.h"
#include "GameObject.h"
#include "GameStateManager.h"
#include "TNEngineInternal.h"
#include "TNFrameRateController.h"
#include "TNSystem.h"

class PlayHarness {
 public:
  struct Options {
    bool fullScreen = false;
    unsigned int maxFrameRate = 0;  /* 0: as fast as the machine goes */
  };

  explicit PlayHarness(int firstStateId = kStateMenu) : PlayHarness(firstStateId, Options()) {}
  PlayHarness(int firstStateId, Options options) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    GameStart(options.fullScreen);
    TNFrameRateControllerInit(options.maxFrameRate);
    GameLoopBegin(firstStateId);
  }
  ~PlayHarness() { GameStop(); }

  PlayHarness(const PlayHarness&) = delete;
  PlayHarness& operator=(const PlayHarness&) = delete;

  /* ---- Running */

  /* One frame of the real loop; false once the loop has ended. */
  bool Frame() {
    const bool running = GameLoopStep();
    if (!GameLoopFinished()) ++frames_;
    return running;
  }
  /* Up to n frames (fewer when the loop ends); returns how many ran. */
  int Frames(int n) {
    int ran = 0;
    while (ran < n && !GameLoopFinished()) {
      Frame();
      ++ran;
    }
    return ran;
  }
  /* Frames until done() holds (checked before the first frame and after
   * each one), at most maxFrames. True when done() held. */
  bool RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
      if (done()) return true;
      if (GameLoopFinished()) return false;
      Frame();
    }
    return done();
  }
  /* Frames until state id runs, then builds it so that State() is the new
   * object. True when it got there within maxFrames. */
  bool RunUntilState(int id, int maxFrames) {
    if (!RunUntil([id] { return currentStateId == id; }, maxFrames)) return false;
    Enter();
    return true;
  }
  /* Builds and initialises the pending state now rather than at the next frame. */
  void Enter() { GameLoopEnterState(); }
  bool Finished() const { return GameLoopFinished(); }
  int FrameCount() const { return frames_; }

  /* ---- Looking at the game */

  BaseGameState* State() const { return currentState; }
  template <typename T>
  T* StateAs() const { return dynamic_cast<T*>(currentState); }
  /* The registered objects in drawing order. */
  std::vector<GameObject*> Objects() const {
    auto found = BaseGameState::Registry().find("GAME_OBJECT");
    return found == BaseGameState::Registry().end() ? std::vector<GameObject*>() : found->second;
  }
  /* RGBA of logical pixel (x, y) (top-left origin) of the last frame drawn.
   * Read back from the back buffer: Mesa's software renderer keeps it after
   * the swap, while its front buffer reads as black under Xvfb. */
  unsigned int PixelAt(int x, int y) const {
    int width = 0, height = 0;
    DrawableSize(&width, &height);
    const int px = static_cast<int>(x * ScaleX());
    const int py = height - 1 - static_cast<int>(y * ScaleY());
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<unsigned int>(rgba[0]) << 24 | rgba[1] << 16 | rgba[2] << 8 | rgba[3];
  }
  /* Writes the last frame drawn as a BMP file (any size of window). */
  bool SaveScreenshot(const std::string& bmpPath) const {
    int width = 0, height = 0;
    DrawableSize(&width, &height);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
    if (surface == nullptr) return false;
    for (int row = 0; row < height; ++row)  // GL rows go bottom-up
      memcpy(static_cast<unsigned char*>(surface->pixels) + static_cast<size_t>(row) * surface->pitch,
             pixels.data() + static_cast<size_t>(height - 1 - row) * width * 4,
             static_cast<size_t>(width) * 4);
    const bool saved = SDL_SaveBMP(surface, bmpPath.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
  }

  /* ---- Playing */

  /* A quick tap: down and up before the next frame, which sees it triggered. */
  void Press(int virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
  }
  void KeyDown(int virtualKey) { SendKey(virtualKey, true); }
  void KeyUp(int virtualKey) { SendKey(virtualKey, false); }
  /* Moves the real pointer too: otherwise the X server's own pointer events
   * (window mapped, entered) would put the cursor back where it really is. */
  void MoveCursor(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
    SDL_Window* window = static_cast<SDL_Window*>(TNSysGetWindowHandle());
    if (window != nullptr) SDL_WarpMouseInWindow(window, WindowX(x), WindowY(y));
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowId();
    event.motion.x = WindowX(x);
    event.motion.y = WindowY(y);
    Push(event);
  }
  /* Moves there, then a quick press of the button (1 left, 2 right, 4 middle). */
  void Click(int x, int y, int button = 1) {
    MoveCursor(x, y);
    SendButton(x, y, button, true);
    SendButton(x, y, button, false);
  }
  void ButtonDown(int x, int y, int button = 1) { SendButton(x, y, button, true); }
  void ButtonUp(int x, int y, int button = 1) { SendButton(x, y, button, false); }
  /* What a window manager sends when the user closes the window. */
  void CloseWindow() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = WindowId();
    Push(event);
  }
  /* What SDL sends at the end of the session or on SIGINT/SIGTERM. */
  void Quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
  }

 private:
  static unsigned int WindowId() {
    SDL_Window* window = static_cast<SDL_Window*>(TNSysGetWindowHandle());
    return window != nullptr ? SDL_GetWindowID(window) : 0;
  }
  static float ScaleX() {
    float x = 1.0f;
    TNSysGetScale(&x, nullptr);
    return x;
  }
  static float ScaleY() {
    float y = 1.0f;
    TNSysGetScale(nullptr, &y);
    return y;
  }
  static int WindowX(int x) { return static_cast<int>(x * ScaleX()); }
  static int WindowY(int y) { return static_cast<int>(y * ScaleY()); }
  static void DrawableSize(int* width, int* height) {
    SDL_Window* window = static_cast<SDL_Window*>(TNSysGetWindowHandle());
    if (window != nullptr) SDL_GL_GetDrawableSize(window, width, height);
  }
  /* Queued and pumped right away, so the next frame's snapshot has it. */
  static void Push(SDL_Event& event) {
    SDL_PushEvent(&event);
    TNSysUpdate();
  }
  static SDL_Keycode KeycodeOf(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return SDLK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return SDLK_0 + (virtualKey - '0');
    if (virtualKey >= 112 && virtualKey <= 123) return SDLK_F1 + (virtualKey - 112);
    switch (virtualKey) {
      case 8: return SDLK_BACKSPACE;
      case 9: return SDLK_TAB;
      case 13: return SDLK_RETURN;
      case 16: return SDLK_LSHIFT;
      case 17: return SDLK_LCTRL;
      case 18: return SDLK_LALT;
      case 27: return SDLK_ESCAPE;
      case 32: return SDLK_SPACE;
      case 37: return SDLK_LEFT;
      case 38: return SDLK_UP;
      case 39: return SDLK_RIGHT;
      case 40: return SDLK_DOWN;
      default: return SDLK_UNKNOWN;
    }
  }
  void SendKey(int virtualKey, bool down) {
    if (virtualKey == 1 || virtualKey == 2 || virtualKey == 4) {  // mouse buttons by key code
      SendButton(cursorX_, cursorY_, virtualKey, down);
      return;
    }
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = WindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = KeycodeOf(virtualKey);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    Push(event);
  }
  static void SendButton(int x, int y, int button, bool down) {
    SendButtonRaw(WindowX(x), WindowY(y), button, down);
  }
  static void SendButtonRaw(int windowX, int windowY, int button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowId();
    event.button.button = button == 2 ? SDL_BUTTON_RIGHT : button == 4 ? SDL_BUTTON_MIDDLE : SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = windowX;
    event.button.y = windowY;
    Push(event);
  }

  int frames_ = 0;
  int cursorX_ = 0;
  int cursorY_ = 0;
};

#endif
