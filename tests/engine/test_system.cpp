// Window life cycle: the banner, the window, and the ways it closes.
#include "GLTestWindow.h"

// Starts the engine with the default window procedure and settles the window; returns what it printed.
static std::string Start() {
  ::testing::internal::CaptureStdout();
  const int started = TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr);
  const std::string output = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, started);
  SettleWindow();
  return output;
}

TEST(System, PrintsTheBannerFirstAndOpensAFixedSizeWindowTitledTarnelEngine) {
  EXPECT_EQ(0u, Start().find("Tarnel Engine version: 3.04\n\nGraphics: OpenGL\n"));
  int width = 0, height = 0;
  SDL_GetWindowSize(TestWindow(), &width, &height);
  EXPECT_TRUE(width == 800 && height == 600 && !(SDL_GetWindowFlags(TestWindow()) & SDL_WINDOW_RESIZABLE));
  EXPECT_STREQ("Tarnel Engine", SDL_GetWindowTitle(TestWindow()));
  TNSysSetWindowTitle("Sorca");
  EXPECT_STREQ("Sorca", SDL_GetWindowTitle(TestWindow()));
  TNSysExit();
}

