// Renderer core, read back from the screen: world (x, y) is pixel (400 + x, 300 - y) at camera (0, 0).
#include "GLTestWindow.h"

using GraphicsTest = GLTestWindow;

TEST_F(GraphicsTest, WhiteBackgroundCameraMovesTheBoundsAtOnceAndTheViewAtTheNextProgramChange) {
  TNSysFrameStart();
  ExpectPixels({{10, 10, kWhite}});
  TNSysFrameEnd();
  StartFrame(1);
  TNGfxSetCamPosition(200, 50);
  float camX = 0, camY = 0;
  TNGfxGetCamPosition(&camX, &camY);
  EXPECT_EQ(std::vector<float>({200, 50, -200, 600, -250, 350}),
            std::vector<float>({camX, camY, TNGfxGetWinMinX(), TNGfxGetWinMaxX(), gTNWinMinY, gTNWinMaxY}));
  TNGfxSetRenderMode(1);  // the same program: projection and view stay
  DrawQuadAt(Quad(), 200, 100, 20, 20);
  ExpectPixels({{600, 200, kBlue}, {400, 250, kWhite}});
  TNGfxSetRenderMode(2);
  TNGfxSetRenderMode(1);
  DrawQuadAt(Quad(), 200, -100, 20, 20);
  ExpectPixels({{400, 450, kBlue}, {600, 400, kWhite}});
  TNSysFrameEnd();
  EXPECT_EQ(0, TNGfxCurrentProgram()) << "the end of a frame drops the program, so the next sees the camera";
}

TEST_F(GraphicsTest, ColourProgramFormulaAndTheBlendModes) {
  // Blue quads, blend colour red, on (0, 128, 0): blend mode, tint red, blend alpha, transparency, result.
  const float cases[][5] = {{1, 0.5f, 0.5f, 0.5f, 0x204040}, {0, 1, 1, 0.5f, kRed}, {1, 1, 1, 0.5f, 0x804000},
                            {2, 1, 1, 0.5f, 0x808000}};
  StartFrame(1, 0, 0.5f, 0);
  for (int i = 0; i < 4; ++i) {
    TNGfxSetBlendMode(static_cast<int>(cases[i][0]));
    TNGfxSetTintColor(cases[i][1], 1, 1, 1);
    TNGfxSetBlendColor(1, 0, 0, cases[i][2]);
    TNGfxSetTransparency(cases[i][3]);
    DrawQuadAt(Quad(), -300 + 200 * i, 0, 100, 100);
    ExpectPixels({{100 + 200 * i, 300, static_cast<int>(cases[i][4])}}, 2);
  }
  ExpectPixels({{160, 300, 0x008000}}, 1);  // nothing beyond the quad
  TNGfxSetBlendMode(2);
  TNGfxSetBlendMode(5);  // unknown modes leave the state alone
  GLint destination = 0;
  glGetIntegerv(GL_BLEND_DST_RGB, &destination);
  EXPECT_TRUE(glIsEnabled(GL_BLEND) && destination == GL_ONE);
  TNGfxSetBlendMode(0);
  TNGfxSetBlendMode(-1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(GraphicsTest, TheLastWorldTransformBeforeADrawCounts) {
  StartFrame(1);
  TNGfxSetTransform3D(nullptr);  // ignored
  TNGfxSetPosition(-300, 200);   // a 1 x 1 square, replaced below
  const float rowMajor[16] = {40, 0, 0, -300, 0, 20, 0, 200, 0, 0, 1, 0, 0, 0, 0, 1};
  TNGfxSetTransform3D(rowMajor);
  TNGfxMeshDraw(Quad(), 3);
  TNGfxSetPosition(250.25f, -150.25f);
  TNGfxMeshDraw(Quad(), 3);
  // 40 x 20 around (-300, 200), then exactly one pixel.
  ExpectPixels({{115, 93, kBlue}, {115, 87, kWhite}, {650, 450, kBlue}, {651, 450, kWhite}, {650, 449, kWhite}});
}

TEST_F(GraphicsTest, UniformsBelongToTheirProgramAndNeedOne) {
  StartFrame(1);  // tint set in the colour program only ...
  TNGfxSetRenderMode(2);
  TNGfxSetTransparency(1);
  DrawQuadAt(Quad(), 0, 0, 50, 50);  // ... so the texture program's zero tint draws nothing
  ExpectPixels({{400, 300, kWhite}});
  TNGfxSetTintColor(1, 1, 1, 1);
  DrawQuadAt(Quad(), 0, 0, 50, 50);  // the unbound texture: opaque black
  ExpectPixels({{400, 300, kBlack}});
  TNSysFrameEnd();
  TNGfxSetRenderMode(0);
  TNGfxSetTintColor(0, 0, 0, 0);
  TNGfxSetBlendColor(1, 0, 0, 1);  // checks for GL errors itself
  TNGfxSetTransparency(0);
  TNGfxSetPosition(1, 2);
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  TNGfxSetRenderMode(7);  // ignored
  EXPECT_EQ(0, TNGfxCurrentProgram());
}

TEST_F(GraphicsTest, TextureProgramWrapsTheOffsetAndBlends) {
  // A 4 x 1 texture: red, green, blue, white from left to right.
  const unsigned char texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  TNGfxSetTextureMode(0);  // without mipmaps, only nearest (or linear) filtering samples at all
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  StartFrame(2, 0, 0, 0);
  glUniform2f(TNGfxUniformLocation("uTextureOffset"), 0.5f, 0.0f);
  DrawQuadAt(Quad(), 0, 0, 400, 100);  // u runs 0..1 over window x 200..600, wrapping from 1.3 to 0.3
  ExpectPixels({{520, 300, kGreen}, {320, 300, kWhite}});
  TNGfxSetBlendColor(1, 0, 0, 0.5f);
  DrawQuadAt(Quad(), 0, 0, 400, 100);
  ExpectPixels({{320, 300, 0xFF8080}}, 1);
}

TEST_F(GraphicsTest, FullScreenKeepsTheVisibleWorldAndScalesItToTheScreen) {
  TNToogleFullScreen(true);
  ASSERT_TRUE(WaitForDrawableSize(1920, 1080)) << "needs a window manager on the display";
  TNSysFrameStart();  // GL takes the new buffer size at a swap
  TNSysFrameEnd();
  StartFrame(1);
  DrawQuadAt(Quad(), 0, 0, 100, 100);    // 240 x 180 screen pixels
  DrawQuadAt(Quad(), 390, 290, 20, 20);  // the top-right corner stays visible
  // Window pixels, read at 2.4 x 1.8 screen pixels each: (1075, 455), (1084, 540), (1915, 5).
  ExpectPixels({{448, 253, kBlue}, {452, 300, kWhite}, {798, 3, kBlue}});
}
