#ifndef SORCA_GL_TEST_WINDOW_H
#define SORCA_GL_TEST_WINDOW_H
/*
 * GLTestWindow: a gtest fixture that starts the engine the way the game does
 * (an 800 x 600 window with its GL context, no frame-rate cap) and shuts it
 * down after the test, plus helpers to read back what was drawn and to feed
 * SDL events through the engine's real event pump.
 *
 *   TEST_F(GLTestWindow, DrawsRed) {
 *     TNSysFrameStart();
 *     ...draw...
 *     EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 255, 0, 0, 2);
 *   }
 *
 * Pixels are read from the back buffer, so read them after drawing and
 * before TNSysFrameEnd swaps. Needs an X display (Xvfb works).
 */
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TNGraphics.h"
#include "TNSystem.h"

struct TestPixel {
  int r, g, b, a;
};

inline std::ostream& operator<<(std::ostream& out, const TestPixel& p) {
  return out << "(" << p.r << ", " << p.g << ", " << p.b << ", " << p.a << ")";
}

inline SDL_Window* TestWindow() { return static_cast<SDL_Window*>(TNSysGetWindowHandle()); }

/* Size of the drawable: the logical size while windowed, the screen while full screen. */
inline void DrawableSize(int* width, int* height) {
  *width = 0;
  *height = 0;
  if (TestWindow()) SDL_GL_GetDrawableSize(TestWindow(), width, height);
}

/* One back-buffer pixel; (x, y) in drawable pixels, origin top-left, y down. */
inline TestPixel ReadWindowPixel(int x, int y) {
  int width = 0;
  int height = 0;
  DrawableSize(&width, &height);
  unsigned char rgba[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return TestPixel{rgba[0], rgba[1], rgba[2], rgba[3]};
}

/* Writes the back buffer to a BMP file, for looking at a failing picture. */
inline bool SaveWindowImage(const char* path) {
  int width = 0;
  int height = 0;
  DrawableSize(&width, &height);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
  if (!surface) return false;
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  unsigned char* pixels = static_cast<unsigned char*>(surface->pixels);
  for (int row = 0; row < height; ++row) {
    glReadPixels(0, height - 1 - row, width, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixels + row * surface->pitch);
  }
  const bool saved = SDL_SaveBMP(surface, path) == 0;
  SDL_FreeSurface(surface);
  return saved;
}

inline ::testing::AssertionResult PixelNear(const TestPixel& actual, int r, int g, int b, int tolerance) {
  if (std::abs(actual.r - r) <= tolerance && std::abs(actual.g - g) <= tolerance &&
      std::abs(actual.b - b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "pixel " << actual << " is not within " << tolerance
                                       << " of (" << r << ", " << g << ", " << b << ")";
}

#define EXPECT_PIXEL_NEAR(pixel, r, g, b, tolerance) EXPECT_TRUE(PixelNear((pixel), (r), (g), (b), (tolerance)))

/* ---- Drawing */

/* The game's unit square (two triangles, v = 1 on the lower edge) in one colour. */
inline TNGfxVertexList* MakeUnitQuad(unsigned int colour) {
  TNGfxMeshStart();
  TNGfxTriAdd(-0.5f, -0.5f, colour, 0.0f, 1.0f, 0.5f, -0.5f, colour, 1.0f, 1.0f, -0.5f, 0.5f, colour, 0.0f, 0.0f);
  TNGfxTriAdd(0.5f, -0.5f, colour, 1.0f, 1.0f, 0.5f, 0.5f, colour, 1.0f, 0.0f, -0.5f, 0.5f, colour, 0.0f, 0.0f);
  return TNGfxMeshEnd();
}

/* Draws the mesh scaled to width x height and centred on world (x, y). */
inline void DrawQuadAt(TNGfxVertexList* quad, float x, float y, float width, float height) {
  TNMtx33 transform = {{{width, 0.0f, x}, {0.0f, height, y}, {0.0f, 0.0f, 1.0f}}};
  TNGfxSetTransform(&transform);
  TNGfxMeshDraw(quad, 3);
}

/* ---- Events through the engine's pump */

inline Uint32 TestWindowId() { return TestWindow() ? SDL_GetWindowID(TestWindow()) : 0; }

inline void PushWindowEvent(Uint8 windowEvent) {
  SDL_Event event;
  SDL_zero(event);
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = TestWindowId();
  event.window.event = windowEvent;
  SDL_PushEvent(&event);
}

inline void PushKey(SDL_Keycode key, SDL_Scancode scancode, bool down) {
  SDL_Event event;
  SDL_zero(event);
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = TestWindowId();
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = scancode;
  SDL_PushEvent(&event);
}

/* (x, y) in window pixels. */
inline void PushMouseButton(Uint8 button, bool down, int x, int y) {
  SDL_Event event;
  SDL_zero(event);
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = TestWindowId();
  event.button.button = button;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
}

inline void PushMouseMotion(int x, int y) {
  SDL_Event event;
  SDL_zero(event);
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = TestWindowId();
  event.motion.x = x;
  event.motion.y = y;
  SDL_PushEvent(&event);
}

/* Pumps events until the window system has been quiet for 50 ms (at most a
 * second), so that its own focus, enter and motion events cannot arrive
 * after the events a test pushes. */
inline void SettleWindow() {
  Uint32 quietSince = SDL_GetTicks();
  const Uint32 start = quietSince;
  while (SDL_GetTicks() - quietSince < 50 && SDL_GetTicks() - start < 1000) {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
      TNSysUpdate();
      quietSince = SDL_GetTicks();
    }
    SDL_Delay(5);
  }
}

/* Pumps events until the drawable has the given size (the window manager
 * resizes asynchronously); false if it does not within about two seconds. */
inline bool WaitForDrawableSize(int width, int height) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    TNSysUpdate();
    int w = 0;
    int h = 0;
    DrawableSize(&w, &h);
    if (w == width && h == height) {
      SettleWindow();
      return true;
    }
    SDL_Delay(10);
  }
  return false;
}

class GLTestWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, getenv("DISPLAY")) << "GL tests need an X display (Xvfb works)";
    ASSERT_EQ(1, TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr));
    SettleWindow();
  }

  void TearDown() override { TNSysExit(); }
};

#endif
