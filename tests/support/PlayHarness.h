#ifndef SORCA_PLAY_HARNESS_H
#define SORCA_PLAY_HARNESS_H
/* PlayHarness: runs the game's real state loop from any state, frame by frame, played like a
 * person would: keys, clicks and cursor moves are SDL events through the engine's own event
 * pump, seen by the next frame. Points are logical window pixels (800 x 600, top-left origin),
 * scaled to the real window while full screen. Needs a display (Xvfb works). */
#include <SDL.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include "BaseGameState.h"
#include "GameLoop.h"
#include "GameObject.h"
#include "GameStateManager.h"
#include "Places.h"
#include "ScreenPicture.h"
#include "StateFactory.h"
#include "TNEngineInternal.h"
#include "TNFrameRateController.h"
#include "TNSystem.h"

class PlayHarness {
 public:
  using Point = places::Point;
  struct Options { bool fullScreen = false; unsigned int maxFrameRate = 0; /* 0: no cap */ };
  explicit PlayHarness(int firstStateId = kStateMenu) : PlayHarness(firstStateId, Options()) {}
  PlayHarness(int firstStateId, Options options) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    GameStateManagerSetFactory(BuildGameState);
    GameStart(options.fullScreen);
    TNFrameRateControllerInit(options.maxFrameRate);
    GameLoopBegin(firstStateId);
  }
  ~PlayHarness() { GameStop(); }

  bool Frame() {  // one frame of the real loop; false once the loop has ended
    frames_ += GameLoopStep();
    return !GameLoopFinished();
  }
  void Frames(int n) {
    for (int i = 0; i < n && !GameLoopFinished(); ++i) Frame();
  }
  /* Frames until done() holds (checked before each frame), at most maxFrames. */
  bool RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames && !done() && !GameLoopFinished(); ++i) Frame();
    return done();
  }
  void Enter() { GameLoopEnterState(); }  // the pending state, now rather than next frame
  bool Finished() const { return GameLoopFinished(); }
  template <typename T> T* StateAs() const { return dynamic_cast<T*>(currentState); }
  /* 0xRRGGBBAA of window pixel (x, y) of the last frame. */
  unsigned int PixelAt(int x, int y) const {
    const ScreenShot shot({x, y, 1, 1});
    const unsigned char* c = shot.At(x, y);
    return static_cast<unsigned int>(c[0]) << 24 | c[1] << 16 | c[2] << 8 | c[3];
  }
  bool BlackAt(int x, int y) const { return (PixelAt(x, y) & 0xFFFFFF00u) == 0; }

  /* Events for the next frame. Keys are virtual-key codes: letters, digits,
   * Tab, Return, Escape, Space and F1-F12; Press is a quick tap. */
  void Press(int key) { KeyDown(key); KeyUp(key); }
  void KeyDown(int key) { SendKey(SDL_KEYDOWN, key); }
  void KeyUp(int key) { SendKey(SDL_KEYUP, key); }
  /* Moves the real pointer too, or the X server would put it back. */
  void MoveCursor(int x, int y) {
    SDL_WarpMouseInWindow(Window(), Scaled(x, 0), Scaled(y, 1));
    SDL_Event e{};  // type, time, window, mouse, buttons, x, y, moved by x, y
    e.motion = {SDL_MOUSEMOTION, 0, WindowId(), 0, 0, Scaled(x, 0), Scaled(y, 1), 0, 0};
    Push(e);
  }
  /* Moves there, then a quick press of the button (1 left, 2 right). */
  void Click(int x, int y, int button = 1) {
    MoveCursor(x, y);
    for (Uint8 down : {1, 0}) {
      SDL_Event e{};  // type, time, window, mouse, button, state, clicks, padding, x, y
      e.button = {Uint32(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP), 0, WindowId(), 0,
                  Uint8(button == 2 ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT), down, 1, 0,
                  Scaled(x, 0), Scaled(y, 1)};
      Push(e);
    }
  }
  void CloseWindow() {  // what a window manager sends when the user closes the window
    SDL_Event e{};
    e.window = {SDL_WINDOWEVENT, 0, WindowId(), SDL_WINDOWEVENT_CLOSE, 0, 0, 0, 0, 0};
    Push(e);
  }
  void Quit() { Push(SDL_Event{SDL_QUIT}); }
  /* What a window manager sends when another window takes the focus, or gives it back. */
  void Focus(bool has) {
    SDL_Event e{};
    e.window = {SDL_WINDOWEVENT, 0, WindowId(),
                Uint8(has ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST), 0, 0, 0, 0, 0};
    Push(e);
  }  // the session's end, or SIGINT or SIGTERM

  /* Playing: each input, then the frame that sees it. A tap counts only if the key (or
   * button) was up in the frame before, so a second one right after the first waits a frame. */
  void Tap(int key) { SpaceOutTaps(key); Press(key); Frame(); }
  void ClickAt(Point p) { SpaceOutTaps(1); Click(p.x, p.y); Frame(); }
  void Hover(Point p) { MoveCursor(p.x, p.y); Frame(); }
  void Hold(int key, int frames) { KeyDown(key); Frames(frames); KeyUp(key); Frame(); }

 private:
  static SDL_Window* Window() { return static_cast<SDL_Window*>(TNSysGetWindowHandle()); }
  static Uint32 WindowId() { return Window() != nullptr ? SDL_GetWindowID(Window()) : 0; }
  static int Scaled(int v, bool vertical) {
    float x = 1.0f, y = 1.0f;
    TNSysGetScale(&x, &y);
    return static_cast<int>(v * (vertical ? y : x));
  }
  /* Queued and pumped right away, so the next frame's input snapshot has it. */
  static void Push(SDL_Event e) { SDL_PushEvent(&e); TNSysUpdate(); }
  static void SendKey(Uint32 type, int key) {  // same codes for digits, Tab, Return, Escape, Space
    const SDL_Keycode sym = key >= 'A' && key <= 'Z'    ? key - 'A' + SDLK_a
                            : key >= 112 && key <= 123 ? key - 112 + SDLK_F1 : key;
    SDL_Event e{};  // type, time, window, state, repeat, padding, key
    e.key = {type, 0, WindowId(), Uint8(type == SDL_KEYDOWN), 0, 0, 0,
             {SDL_GetScancodeFromKey(sym), sym, 0, 0}};
    Push(e);
  }
  void SpaceOutTaps(int key) {
    if (lastTap_[key] == frames_ && frames_ > 0) Frame();
    lastTap_[key] = frames_ + 1;
  }

  int frames_ = 0;
  std::map<int, int> lastTap_;
};

#endif
