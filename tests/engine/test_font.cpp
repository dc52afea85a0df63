// Fonts: where text may start, what a print leaves behind, literal text and font ids.
#include <fontconfig/fontconfig.h>

#include <algorithm>

#include "GLTestWindow.h"
#include "TempTree.h"

static int LitPixels() {
  const ScreenShot shot;
  int lit = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) lit += shot.Rgb(x, y) != kBlack;
  return lit;
}

// Triangles sent to the GL by one print, whether or not they land on screen.
static GLuint TrianglesOfPrint(unsigned int font, const char* text, int x, int y) {
  GLuint query = 0, triangles = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  TNGfxPrint(font, text, x, y, 1, 1, 1);
  glEndQuery(GL_PRIMITIVES_GENERATED);
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
  glDeleteQueries(1, &query);
  return triangles;
}

class FontTest : public GLTestWindow {
 protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    font_ = TNGfxCreateFont("Times New Roman", 20, true, false);
    ASSERT_NE(0u, font_);
  }
  void TearDown() override {
    TNGfxDestroyFont(font_);
    GLTestWindow::TearDown();
  }
  unsigned int font_ = 0;
};

TEST_F(FontTest, TextIsDrawnInItsColourOnlyRightOfAndAboveTheBasePoint) {
  StartFrame(1, 0, 0, 0);
  TNGfxPrint(font_, "Sorca", -40, 0, 1.0f, 0.5f, 0.0f);
  const ScreenShot shot;
  int full = 0, above = 0, below = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const int rgb = shot.Rgb(x, y), r = rgb >> 16, g = rgb >> 8 & 0xFF;
      if (rgb == kBlack) continue;
      ASSERT_TRUE((rgb & 0xFF) == 0 && std::abs(r - 2 * g) <= 2) << std::hex << rgb;  // edges keep the hue
      ASSERT_GE(x, 360);
      full += r == 255;
      (y < 300 ? above : below)++;
    }
  }
  EXPECT_GT(full, 50);
  EXPECT_GT(above, 10 * below);  // the base point is on the baseline
}

TEST_F(FontTest, TextMayStartUpToOneWindowLeftOrBelowTheVisibleAreaWhereverTheCameraIs) {
  if (!GLEW_VERSION_3_0) GTEST_SKIP() << "counting primitives needs OpenGL 3.0";
  StartFrame(2, 0, 0, 0);
  TNGfxPrint(font_, std::string(255, 'M').c_str(), -1199, 0, 1, 1, 1);  // reaching into the window
  EXPECT_GT(LitPixels(), 100);
  const int bounds[][3] = {{-1199, 0, 1}, {-1200, 0, 0}, {399, 0, 1}, {400, 0, 0},
                           {0, -899, 1},  {0, -900, 0},  {0, 299, 1}, {0, 300, 0}};
  for (int camera : {0, 1}) {
    TNGfxSetCamPosition(100 * camera, 50 * camera);
    for (const auto& b : bounds) {
      const int x = b[0] + 100 * camera, y = b[1] + 50 * camera;
      EXPECT_EQ(b[2] == 1, TrianglesOfPrint(font_, "A", x, y) > 0) << x << ", " << y;
    }
  }
}

TEST_F(FontTest, PrintLeavesProgramViewportViewTextureAndBlendingAndClearsTheBlendColour) {
  for (int mode : {1, 2}) {
    StartFrame(mode);
    TNGfxSetBlendColor(0.2f, 0.3f, 0.4f, 0.5f);
    TNGfxSetBlendMode(0);
    GLint before[5], after[5];
    glGetIntegerv(GL_VIEWPORT, before);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &before[4]);
    const std::vector<float> view = UniformValues("uVMatrix", 16);
    TNGfxPrint(font_, "Restored", 0, 0, 1, 0, 0);
    glGetIntegerv(GL_VIEWPORT, after);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &after[4]);
    EXPECT_EQ(mode, TNGfxCurrentProgram());
    EXPECT_EQ(std::vector<float>({0, 0, 0, 0}), UniformValues("uBlendColor", 4)) << "mode " << mode;
    EXPECT_TRUE(std::equal(before, before + 5, after) && !glIsEnabled(GL_BLEND));
    EXPECT_EQ(view, UniformValues("uVMatrix", 16));
    TNSysFrameEnd();
  }
}

TEST_F(FontTest, TextIsTakenLiterallyAndCutAt255Characters) {
  if (!GLEW_VERSION_3_0) GTEST_SKIP() << "counting primitives needs OpenGL 3.0";
  StartFrame(2);
  EXPECT_EQ(12u, TrianglesOfPrint(font_, "%s%d%n", 0, 0));      // six glyphs, two triangles each
  EXPECT_EQ(4u, TrianglesOfPrint(font_, "A\x01\x80 B", 0, 0));  // no glyph outside 32..126
  EXPECT_EQ(510u, TrianglesOfPrint(font_, std::string(300, 'M').c_str(), -1199, 0));
  TNGfxPrint(font_, nullptr, 0, 0, 1, 1, 1);
}

TEST_F(FontTest, EachFontOwnsABlockOf96IdsAndOtherIdsPrintNothing) {
  const unsigned int other = TNGfxCreateFont("Buxton Sketch", 50, true, false);
  for (unsigned int k = 0; k < 96; ++k) EXPECT_TRUE(glIsList(font_ + k) && glIsList(other + k)) << k;
  EXPECT_TRUE(other >= font_ + 96 || font_ >= other + 96) << font_ << " and " << other;
  TNGfxDestroyFont(other);
  EXPECT_TRUE(!glIsList(other) && !glIsList(other + 95) && glIsList(font_));
  TNGfxDestroyFont(0);  // what a printer without a font passes
  StartFrame(2, 0, 0, 0);
  TNGfxPrint(font_ + 1, "nothing", 0, 0, 1, 1, 1);
  TNGfxPrint(0, "nothing", 0, 0, 1, 1, 1);
  EXPECT_EQ(0, LitPixels());
}

// Started without any font installed: fontconfig reads an empty setup.
class NoFontsTest : public GLTestWindow {
 protected:
  void SetUp() override {
    config_.Write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    setenv("FONTCONFIG_FILE", (config_.path + "/fonts.conf").c_str(), 1);
    FcInitReinitialize();
    GLTestWindow::SetUp();
  }
  void TearDown() override {
    GLTestWindow::TearDown();
    unsetenv("FONTCONFIG_FILE");
    FcInitReinitialize();
  }
  const TempDir config_;
};

TEST_F(NoFontsTest, FontStillGetsItsIdsAndPrintsNothing) {
  testing::internal::CaptureStderr();
  const unsigned int font = TNGfxCreateFont("Times New Roman", 20, true, false);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, said.find("Times New Roman")) << said;
  ASSERT_TRUE(font != 0 && glIsList(font + 95));
  StartFrame(2, 0, 0, 0);
  TNGfxPrint(font, "invisible", 0, 0, 1, 1, 1);
  EXPECT_EQ(0, LitPixels());
  TNGfxDestroyFont(font);
}

