#ifndef SORCA_GL_TEST_WINDOW_H
#define SORCA_GL_TEST_WINDOW_H
// The engine started as the game does (800 x 600, no frame cap), pixels read back with ScreenShot, and SDL events.
#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "ScreenPicture.h"
#include "TNEngineInternal.h"
#include "TNGraphics.h"
#include "TNSystem.h"

const int kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

inline SDL_Window* TestWindow() { return static_cast<SDL_Window*>(TNSysGetWindowHandle()); }

// Expects each {x, y, 0xRRGGBB} window pixel within the tolerance in every channel.
inline void ExpectPixels(std::initializer_list<std::array<int, 3>> pixels, int tolerance = 0) {
  const ScreenShot shot;
  for (const auto& p : pixels) {
    const int actual = shot.Rgb(p[0], p[1]);
    for (int shift : {16, 8, 0})
      EXPECT_LE(std::abs((actual >> shift & 0xFF) - (p[2] >> shift & 0xFF)), tolerance)
          << std::hex << actual << " for " << p[2] << std::dec << " at " << p[0] << ", " << p[1];
  }
}

inline std::vector<float> UniformValues(const char* name, int count) {
  std::vector<float> values(count, -99.0f);
  GLint program = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetUniformfv(program, TNGfxUniformLocation(name), values.data());
  return values;
}

// Draws the mesh scaled to width x height and centred on world (x, y).
inline void DrawQuadAt(TNGfxVertexList* quad, float x, float y, float width, float height) {
  TNMtx33 transform = {{{width, 0.0f, x}, {0.0f, height, y}, {0.0f, 0.0f, 1.0f}}};
  TNGfxSetTransform(&transform);
  TNGfxMeshDraw(quad, 3);
}

// Queues an event: window event `a`, SDL keycode `a`, mouse button `a` at (x, y) or a motion to (x, y).
inline void Push(Uint32 type, int a = 0, int x = 0, int y = 0) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_WINDOWEVENT) {
    event.window.windowID = SDL_GetWindowID(TestWindow());
    event.window.event = static_cast<Uint8>(a);
  } else if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
    event.key.keysym.sym = a;
  } else if (type == SDL_MOUSEMOTION) {
    event.motion.x = x;
    event.motion.y = y;
  } else if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
    event.button.button = static_cast<Uint8>(a);
    event.button.x = x;
    event.button.y = y;
  }
  SDL_PushEvent(&event);
}

// Pumps until the window system has been quiet for 50 ms (at most 1 s), so its events precede the test's.
inline void SettleWindow() {
  const Uint32 start = SDL_GetTicks();
  for (Uint32 quietSince = start; SDL_GetTicks() - quietSince < 50 && SDL_GetTicks() - start < 1000; SDL_Delay(5)) {
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) continue;
    TNSysUpdate();
    quietSince = SDL_GetTicks();
  }
}

// The window manager resizes asynchronously; false if the drawable does not reach the size in 2 s.
inline bool WaitForDrawableSize(int width, int height) {
  int w = 0, h = 0;
  for (int attempt = 0; attempt < 200 && (w != width || h != height); ++attempt, SDL_Delay(10)) {
    TNSysUpdate();
    SDL_GL_GetDrawableSize(TestWindow(), &w, &h);
  }
  SettleWindow();
  return w == width && h == height;
}

class GLTestWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, getenv("DISPLAY")) << "GL tests need an X display (Xvfb works)";
    TNGfxSetCamPosition(0, 0);  // the camera outlives an engine restart
    ASSERT_EQ(1, TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr));
    SettleWindow();
    TNSysReset();  // no input from the window system's start-up
  }
  void TearDown() override {
    if (TestWindow()) TNSysFrameEnd();  // ends the last frame, and the program if GL reported an error
    for (TNGfxVertexList* mesh : meshes_) TNGfxMeshFree(mesh);
    TNSysExit();
  }
  // The game's unit square (v = 1 on the lower edge) in one colour 0xAARRGGBB, freed after the test.
  TNGfxVertexList* Quad(unsigned int colour = 0xFF0000FFu) {
    TNGfxMeshStart();
    TNGfxTriAdd(-0.5f, -0.5f, colour, 0, 1, 0.5f, -0.5f, colour, 1, 1, -0.5f, 0.5f, colour, 0, 0);
    TNGfxTriAdd(0.5f, -0.5f, colour, 1, 1, 0.5f, 0.5f, colour, 1, 0, -0.5f, 0.5f, colour, 0, 0);
    meshes_.push_back(TNGfxMeshEnd());
    return meshes_.back();
  }
  // A frame on the background with the program at full strength, no blend colour, alpha blending.
  static void StartFrame(int renderMode, float r = 1, float g = 1, float b = 1) {
    TNGfxSetBackgroundColor(r, g, b);
    TNSysFrameStart();
    TNGfxSetBlendMode(1);
    TNGfxSetRenderMode(renderMode);
    TNGfxSetTintColor(1, 1, 1, 1);
    TNGfxSetTransparency(1);
    TNGfxSetBlendColor(0, 0, 0, 0);
  }
  std::vector<TNGfxVertexList*> meshes_;
};

#endif
