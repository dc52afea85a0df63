// Fonts: where text may start, what a print leaves behind, literal text and
// font ids, checked through drawn pixels and GL state.
#include <GL/glew.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;

/* The whole back buffer, rows top first. */
std::vector<TestPixel> ReadWindow() {
  std::vector<unsigned char> rgba(4 * kWidth * kHeight);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<TestPixel> pixels(kWidth * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned char* p = &rgba[4 * ((kHeight - 1 - y) * kWidth + x)];
      pixels[y * kWidth + x] = TestPixel{p[0], p[1], p[2], p[3]};
    }
  }
  return pixels;
}

int CountLit(const std::vector<TestPixel>& pixels) {
  int lit = 0;
  for (const TestPixel& p : pixels) lit += (p.r + p.g + p.b) > 0;
  return lit;
}

std::vector<float> Uniform(const char* name, int count) {
  std::vector<float> values(count, -99.0f);
  GLint program = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  glGetUniformfv(program, TNGfxUniformLocation(name), values.data());
  return values;
}

std::vector<int> Viewport() {
  std::vector<int> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  return viewport;
}

class FontTest : public GLTestWindow {
 protected:
  void SetUp() override {
    TNGfxSetCamPosition(0, 0);   // the camera outlives an engine restart
    GLTestWindow::SetUp();
    font_ = TNGfxCreateFont("Times New Roman", 20, true, false);
  }
  void TearDown() override {
    TNGfxDestroyFont(font_);
    GLTestWindow::TearDown();
  }
  // A black frame in the given render mode with the program at full strength.
  void StartFrame(int renderMode) {
    TNGfxSetBackgroundColor(0, 0, 0);
    TNSysFrameStart();
    TNGfxSetBlendMode(1);
    TNGfxSetRenderMode(renderMode);
    TNGfxSetTintColor(1, 1, 1, 1);
    TNGfxSetTransparency(1);
    TNGfxSetBlendColor(0, 0, 0, 0);
  }
  // Triangles sent to the GL by one print, whether or not they land on screen.
  GLuint TrianglesOfPrint(unsigned int font, const char* text, int x, int y) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    TNGfxPrint(font, text, x, y, 1, 1, 1);
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint triangles = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
    glDeleteQueries(1, &query);
    return triangles;
  }
  void RequirePrimitiveQueries() {
    if (!GLEW_VERSION_3_0) GTEST_SKIP() << "counting primitives needs OpenGL 3.0";
  }
  unsigned int font_ = 0;
};

TEST_F(FontTest, TextIsDrawnInItsColourOnly) {
  StartFrame(1);
  TNGfxPrint(font_, "Sorca", -40, 0, 1.0f, 0.5f, 0.0f);
  std::vector<TestPixel> pixels = ReadWindow();
  int full = 0;
  for (const TestPixel& p : pixels) {
    if (p.r + p.g + p.b == 0) continue;
    ASSERT_EQ(0, p.b) << p;
    ASSERT_NEAR(p.r, 2 * p.g, 2) << p;   // antialiased edges keep the hue
    full += p.r == 255;
  }
  EXPECT_GT(full, 50);
  // The base point is the baseline: ink sits mostly above y = 0 (row 300).
  int above = 0, below = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (pixels[y * kWidth + x].r == 0) continue;
      (y < 300 ? above : below)++;
      EXPECT_GE(x, 360);
    }
  }
  EXPECT_GT(above, 10 * below);
  TNSysFrameEnd();
}

TEST_F(FontTest, TextMayStartUpToOneWindowLeftOfTheVisibleArea) {
  const std::string longText(255, 'M');   // reaches from far left into the window
  StartFrame(2);
  TNGfxPrint(font_, longText.c_str(), -1199, 0, 1, 1, 1);
  EXPECT_GT(CountLit(ReadWindow()), 100);
  TNSysFrameEnd();

  StartFrame(2);
  TNGfxPrint(font_, longText.c_str(), -1200, 0, 1, 1, 1);
  EXPECT_EQ(0, CountLit(ReadWindow()));
  TNSysFrameEnd();
}

TEST_F(FontTest, VisibilityBoundsFollowWindowAndCamera) {
  RequirePrimitiveQueries();
  struct Case {
    int x, y;
    bool drawn;
  };
  const Case centred[] = {{-1199, 0, true}, {-1200, 0, false}, {399, 0, true},  {400, 0, false},
                          {0, -899, true},  {0, -900, false},  {0, 299, true},  {0, 300, false}};
  StartFrame(2);
  for (const Case& c : centred) {
    EXPECT_EQ(c.drawn, TrianglesOfPrint(font_, "A", c.x, c.y) > 0) << c.x << ", " << c.y;
  }
  TNGfxSetCamPosition(100, 50);
  const Case moved[] = {{-1099, 0, true}, {-1100, 0, false}, {499, 0, true}, {500, 0, false},
                        {0, -849, true},  {0, -850, false},  {0, 349, true}, {0, 350, false}};
  for (const Case& c : moved) {
    EXPECT_EQ(c.drawn, TrianglesOfPrint(font_, "A", c.x, c.y) > 0) << c.x << ", " << c.y << " (moved)";
  }
  TNSysFrameEnd();
}

TEST_F(FontTest, PrintLeavesBlendColourViewportAndViewAsTheyWere) {
  for (int mode : {1, 2}) {
    StartFrame(mode);
    TNGfxSetBlendColor(0.2f, 0.3f, 0.4f, 0.5f);
    std::vector<int> viewport = Viewport();
    std::vector<float> view = Uniform("uVMatrix", 16);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    TNGfxSetBlendMode(0);

    TNGfxPrint(font_, "Restored", 0, 0, 1, 0, 0);
    EXPECT_EQ(mode, TNGfxCurrentProgram());
    EXPECT_EQ(std::vector<float>({0, 0, 0, 0}), Uniform("uBlendColor", 4)) << "mode " << mode;
    EXPECT_EQ(viewport, Viewport());
    EXPECT_EQ(view, Uniform("uVMatrix", 16));
    GLint after = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &after);
    EXPECT_EQ(texture, after);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    TNSysFrameEnd();
  }
}

TEST_F(FontTest, TextIsTakenLiterallyAndCutAt255Characters) {
  RequirePrimitiveQueries();
  StartFrame(2);
  EXPECT_EQ(12u, TrianglesOfPrint(font_, "%s%d%n", 0, 0));   // six glyphs, two triangles each
  EXPECT_EQ(4u, TrianglesOfPrint(font_, "A\x01\x80 B", 0, 0));   // no glyph outside 32..126
  EXPECT_EQ(510u, TrianglesOfPrint(font_, std::string(300, 'M').c_str(), -1199, 0));
  TNGfxPrint(font_, nullptr, 0, 0, 1, 1, 1);
  TNSysFrameEnd();
}

TEST_F(FontTest, BoldPrintsHeavierThanNotBold) {
  unsigned int thin = TNGfxCreateFont("Times New Roman", 20, false, false);
  StartFrame(2);
  TNGfxPrint(font_, "MMMMMMMM", -100, 0, 1, 1, 1);
  int boldInk = CountLit(ReadWindow());
  TNSysFrameEnd();
  StartFrame(2);
  TNGfxPrint(thin, "MMMMMMMM", -100, 0, 1, 1, 1);
  int thinInk = CountLit(ReadWindow());
  TNSysFrameEnd();
  EXPECT_GT(thinInk, 0);
  EXPECT_GT(boldInk, thinInk + thinInk / 10);
  TNGfxDestroyFont(thin);
}

TEST_F(FontTest, EachFontOwnsABlockOf96Ids) {
  unsigned int other = TNGfxCreateFont("Buxton Sketch", 50, true, false);
  ASSERT_NE(0u, font_);
  ASSERT_NE(0u, other);
  for (unsigned int k = 0; k < 96; ++k) {
    EXPECT_TRUE(glIsList(font_ + k)) << k;
    EXPECT_TRUE(glIsList(other + k)) << k;
  }
  EXPECT_TRUE(other >= font_ + 96 || font_ >= other + 96) << font_ << " and " << other;
  TNGfxDestroyFont(other);
  EXPECT_FALSE(glIsList(other));
  EXPECT_FALSE(glIsList(other + 95));
  EXPECT_TRUE(glIsList(font_));
  TNGfxDestroyFont(0);   // what a printer without a font passes
}

TEST_F(FontTest, PrintingWithAnUnknownIdDrawsNothing) {
  StartFrame(2);
  TNGfxPrint(font_ + 1, "nothing", 0, 0, 1, 1, 1);
  TNGfxPrint(0, "nothing", 0, 0, 1, 1, 1);
  EXPECT_EQ(0, CountLit(ReadWindow()));
  TNSysFrameEnd();
}

/* Started without any font installed: fontconfig reads an empty setup. */
class NoFontsTest : public GLTestWindow {
 protected:
  void SetUp() override {
    config_ = "/tmp/sorca-fonts-" + std::to_string(getpid()) + ".conf";
    std::FILE* file = std::fopen(config_.c_str(), "w");
    std::fputs("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n", file);
    std::fclose(file);
    setenv("FONTCONFIG_FILE", config_.c_str(), 1);
    FcInitReinitialize();
    GLTestWindow::SetUp();
  }
  void TearDown() override {
    GLTestWindow::TearDown();
    unsetenv("FONTCONFIG_FILE");
    FcInitReinitialize();
    std::remove(config_.c_str());
  }
  std::string config_;
};

TEST_F(NoFontsTest, FontStillGetsItsIdsAndPrintsNothing) {
  testing::internal::CaptureStderr();
  unsigned int font = TNGfxCreateFont("Times New Roman", 20, true, false);
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("Times New Roman")) << said;
  ASSERT_NE(0u, font);
  EXPECT_TRUE(glIsList(font + 95));
  TNGfxSetBackgroundColor(0, 0, 0);
  TNSysFrameStart();
  TNGfxSetRenderMode(2);
  TNGfxPrint(font, "invisible", 0, 0, 1, 1, 1);
  EXPECT_EQ(0, CountLit(ReadWindow()));
  TNSysFrameEnd();
  TNGfxDestroyFont(font);
}

}  // namespace
