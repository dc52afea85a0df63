// Renderer core, checked by reading back what it drew.
#include <gtest/gtest.h>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"

namespace {

const unsigned int kOpaqueBlue = 0xFF0000FFu;

// The window pixel (top-left origin) showing world (x, y) with the camera at (0, 0).
int PixelX(float worldX) { return static_cast<int>(400.0f + worldX); }
int PixelY(float worldY) { return static_cast<int>(300.0f - worldY); }

class GraphicsTest : public GLTestWindow {
 protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    quad_ = MakeUnitQuad(kOpaqueBlue);
  }
  void TearDown() override {
    TNGfxMeshFree(quad_);
    GLTestWindow::TearDown();
  }

  // A frame on a background, ready to draw with the colour program.
  void StartColourFrame(float r, float g, float b) {
    TNGfxSetBackgroundColor(r, g, b);
    TNSysFrameStart();
    TNGfxSetRenderMode(1);
    TNGfxSetTintColor(1, 1, 1, 1);
    TNGfxSetTransparency(1);
    TNGfxSetBlendColor(0, 0, 0, 0);
  }

  TNGfxVertexList* quad_ = nullptr;
};

TEST_F(GraphicsTest, StartsWithAWhiteBackgroundAndCentredBounds) {
  TNSysFrameStart();
  EXPECT_PIXEL_NEAR(ReadWindowPixel(10, 10), 255, 255, 255, 0);
  EXPECT_FLOAT_EQ(-400, TNGfxGetWinMinX());
  EXPECT_FLOAT_EQ(400, TNGfxGetWinMaxX());
  EXPECT_FLOAT_EQ(-300, TNGfxGetWinMinY());
  EXPECT_FLOAT_EQ(300, TNGfxGetWinMaxY());

  TNGfxSetCamPosition(100, 50);
  EXPECT_FLOAT_EQ(-300, gTNWinMinX);
  EXPECT_FLOAT_EQ(500, gTNWinMaxX);
  EXPECT_FLOAT_EQ(-250, gTNWinMinY);
  EXPECT_FLOAT_EQ(350, gTNWinMaxY);
  float x = 0, y = 0;
  TNGfxGetCamPosition(&x, &y);
  EXPECT_EQ(100, x);
  EXPECT_EQ(50, y);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, ColourProgramBlendsTintsAndFadesTheVertexColour) {
  StartColourFrame(0, 1, 0);
  TNGfxSetBlendMode(1);
  TNGfxSetTintColor(1, 0.5f, 1, 1);
  TNGfxSetBlendColor(1, 0, 0, 0.5f);
  TNGfxSetTransparency(0.5f);
  DrawQuadAt(quad_, 0, 0, 100, 100);
  // Source (0.5, 0, 0.5) with alpha 0.5 over green.
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 64, 128, 64, 2);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(460, 300), 0, 255, 0, 0);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, BlendModesOffAlphaAndAdditive) {
  StartColourFrame(0, 0.5f, 0);
  TNGfxSetBlendColor(1, 0, 0, 1);
  TNGfxSetTransparency(0.5f);

  TNGfxSetBlendMode(0);
  DrawQuadAt(quad_, -200, 0, 50, 50);
  TNGfxSetBlendMode(1);
  DrawQuadAt(quad_, 0, 0, 50, 50);
  TNGfxSetBlendMode(2);
  DrawQuadAt(quad_, 200, 0, 50, 50);

  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(-200), 300), 255, 0, 0, 1);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(0), 300), 128, 64, 0, 2);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(200), 300), 128, 128, 0, 2);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, UnknownBlendModeLeavesThePreviousState) {
  TNGfxSetBlendMode(2);
  TNGfxSetBlendMode(5);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GLint destination = 0;
  glGetIntegerv(GL_BLEND_DST_RGB, &destination);
  EXPECT_EQ(GL_ONE, destination);

  TNGfxSetBlendMode(0);
  TNGfxSetBlendMode(-1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(GraphicsTest, TheLastWorldTransformBeforeADrawCounts) {
  StartColourFrame(1, 1, 1);
  TNGfxSetBlendMode(1);
  TNGfxSetTransform3D(nullptr);  // ignored
  TNGfxSetPosition(-300, 200);   // a 1 x 1 square, replaced below
  const float rowMajor[16] = {40, 0, 0, -300, 0, 20, 0, 200, 0, 0, 1, 0, 0, 0, 0, 1};
  TNGfxSetTransform3D(rowMajor);
  TNGfxMeshDraw(quad_, 3);
  TNGfxSetPosition(250.25f, -150.25f);
  TNGfxMeshDraw(quad_, 3);

  // The 3D transform: 40 x 20 around (-300, 200).
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(-300 + 15), PixelY(200 + 7)), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(-300 + 15), PixelY(200 + 13)), 255, 255, 255, 0);
  // The plain position: the unit square covers exactly one pixel.
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(250), PixelY(-150)), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(251), PixelY(-150)), 255, 255, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(PixelX(250), PixelY(-150) - 1), 255, 255, 255, 0);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, CameraMoveTakesEffectAtTheNextProgramChange) {
  StartColourFrame(1, 1, 1);
  TNGfxSetBlendMode(1);
  TNGfxSetCamPosition(200, 0);
  TNGfxSetRenderMode(1);  // the same program: projection and view stay
  DrawQuadAt(quad_, 200, 100, 20, 20);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(600, 200), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 200), 255, 255, 255, 0);

  TNGfxSetRenderMode(2);
  TNGfxSetRenderMode(1);
  DrawQuadAt(quad_, 200, -100, 20, 20);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 400), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(600, 400), 255, 255, 255, 0);
  TNSysFrameEnd();

  // The end of a frame drops the program, so the next frame sees the camera.
  EXPECT_EQ(0, TNGfxCurrentProgram());
  StartColourFrame(1, 1, 1);
  DrawQuadAt(quad_, 200, 0, 20, 20);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 0, 0, 255, 0);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, UniformsBelongToTheProgramTheyWereSetIn) {
  // Tint set while the colour program is in use ...
  StartColourFrame(1, 1, 1);
  TNGfxSetBlendMode(1);
  // ... so the texture program still has a zero tint: it draws nothing.
  TNGfxSetRenderMode(2);
  TNGfxSetTransparency(1);
  DrawQuadAt(quad_, 0, 0, 50, 50);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 255, 255, 255, 0);
  // With its own tint it samples the unbound texture: opaque black.
  TNGfxSetTintColor(1, 1, 1, 1);
  DrawQuadAt(quad_, 0, 0, 50, 50);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 0, 0, 0, 0);
  TNSysFrameEnd();
}

TEST_F(GraphicsTest, UniformSettersWithoutAProgramChangeNothingAndRaiseNoError) {
  TNGfxSetRenderMode(0);
  TNGfxSetTintColor(0, 0, 0, 0);
  TNGfxSetBlendColor(1, 0, 0, 1);  // checks for GL errors itself
  TNGfxSetTransparency(0);
  TNGfxSetPosition(1, 2);
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  TNGfxSetRenderMode(7);  // ignored
  EXPECT_EQ(0, TNGfxCurrentProgram());
}

// A 4 x 1 texture: red, green, blue, white from left to right.
GLuint MakeStripeTexture() {
  const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  return texture;
}

TEST_F(GraphicsTest, TextureProgramScrollsWithWrapAndBlendsTowardsTheBlendColour) {
  const GLuint texture = MakeStripeTexture();
  StartColourFrame(0, 0, 0);
  TNGfxSetRenderMode(2);
  TNGfxSetTintColor(1, 1, 1, 1);
  TNGfxSetTransparency(1);
  TNGfxSetBlendColor(0, 0, 0, 0);
  glUniform1i(TNGfxUniformLocation("uTexture"), 0);
  glUniform2f(TNGfxUniformLocation("uTextureOffset"), 0.5f, 0.0f);
  DrawQuadAt(quad_, 0, 0, 400, 100);  // u runs 0..1 over window x 200..600
  // u 0.8 + 0.5 wraps to 0.3 (green); u 0.3 + 0.5 = 0.8 (white).
  EXPECT_PIXEL_NEAR(ReadWindowPixel(200 + 320, 300), 0, 255, 0, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(200 + 120, 300), 255, 255, 255, 0);

  TNGfxSetBlendColor(1, 0, 0, 0.5f);
  DrawQuadAt(quad_, 0, 0, 400, 100);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(200 + 120, 300), 255, 128, 128, 1);
  TNSysFrameEnd();
  glDeleteTextures(1, &texture);
}

TEST_F(GraphicsTest, TextureModesSetTheBoundTexturesFilters) {
  const GLuint texture = MakeStripeTexture();
  GLint filter = 0;
  TNGfxSetTextureMode(1);
  ::testing::internal::CaptureStdout();
  TNGfxSetTextureMode(2);
  EXPECT_EQ("Unsupported texture mode!\n", ::testing::internal::GetCapturedStdout());
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(GL_LINEAR, filter);
  TNGfxSetTextureMode(0);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(GL_NEAREST, filter);
  glDeleteTextures(1, &texture);
}

TEST_F(GraphicsTest, FullScreenKeepsTheVisibleWorldAndScalesItToTheScreen) {
  TNToogleFullScreen(true);
  ASSERT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";
  TNSysFrameStart();  // GL takes the new buffer size at a swap
  TNSysFrameEnd();
  StartColourFrame(1, 1, 1);
  TNGfxSetBlendMode(1);
  DrawQuadAt(quad_, 0, 0, 100, 100);     // 240 x 180 screen pixels
  DrawQuadAt(quad_, 390, 290, 20, 20);   // the top-right corner stays visible
  EXPECT_PIXEL_NEAR(ReadWindowPixel(960, 540), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(960 + 115, 540 - 85), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(960 + 125, 540), 255, 255, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(1915, 5), 0, 0, 255, 0);
  TNSysFrameEnd();
}

}  // namespace
