// Mesh staging, upload and drawing; colour interpolation; immediate lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"

namespace {

std::vector<float> BufferContents(GLuint buffer, int floats) {
  std::vector<float> data(floats, -1.0f);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, floats * sizeof(float), data.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return data;
}

int CountOccurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class MeshTest : public GLTestWindow {
 protected:
  void StartWhiteColourFrame() {
    TNSysFrameStart();
    TNGfxSetBlendMode(1);
    TNGfxSetRenderMode(1);
  }
};

TEST_F(MeshTest, UploadsPositionsColoursAndCoordinatesAsFloats) {
  TNGfxMeshStart();
  TNGfxVertexAdd(1.5f, -2.0f, 0x80FF0000u, 0.25f, 0.75f);
  TNGfxVertexAdd(3.0f, 4.0f, 0xFF336699u, 1.0f, 0.0f);
  TNGfxVertexList* mesh = TNGfxMeshEnd();
  ASSERT_NE(nullptr, mesh);
  ASSERT_EQ(2u, mesh->vertexCount);

  const std::vector<float> positions = BufferContents(mesh->bufferIds[0], 6);
  const std::vector<float> colours = BufferContents(mesh->bufferIds[1], 8);
  const std::vector<float> coordinates = BufferContents(mesh->bufferIds[2], 4);
  EXPECT_EQ((std::vector<float>{1.5f, -2.0f, 0.0f, 3.0f, 4.0f, 0.0f}), positions);
  EXPECT_FLOAT_EQ(1.0f, colours[0]);
  EXPECT_FLOAT_EQ(0.0f, colours[1]);
  EXPECT_FLOAT_EQ(0.0f, colours[2]);
  EXPECT_NEAR(0.50196f, colours[3], 1e-5);
  EXPECT_FLOAT_EQ(0x33 / 255.0f, colours[4]);
  EXPECT_FLOAT_EQ(0x66 / 255.0f, colours[5]);
  EXPECT_FLOAT_EQ(0x99 / 255.0f, colours[6]);
  EXPECT_FLOAT_EQ(1.0f, colours[7]);
  EXPECT_EQ((std::vector<float>{0.25f, 0.75f, 1.0f, 0.0f}), coordinates);
  TNGfxMeshFree(mesh);
}

TEST_F(MeshTest, StagingCarriesOverStartButNotEndOrReset) {
  TNGfxVertexAdd(0, 0, 0, 0, 0);  // before the start: still part of the mesh
  TNGfxMeshStart();
  TNGfxTriAdd(0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0);
  TNGfxVertexList* first = TNGfxMeshEnd();
  EXPECT_EQ(4u, first->vertexCount);

  TNGfxVertexAdd(0, 0, 0, 0, 0);
  TNGfxReset();
  TNGfxVertexList* empty = TNGfxMeshEnd();
  EXPECT_EQ(0u, empty->vertexCount);
  TNGfxMeshFree(first);
  TNGfxMeshFree(empty);
}

TEST_F(MeshTest, UnitSquareDrawsInColourAndTextureModes) {
  TNGfxVertexList* quad = MakeUnitQuad(0xFFFF0000u);
  EXPECT_EQ(6u, quad->vertexCount);
  StartWhiteColourFrame();
  DrawQuadAt(quad, -100, 0, 50, 50);
  TNGfxSetRenderMode(2);
  TNGfxSetTintColor(1, 1, 1, 1);
  TNGfxSetTransparency(1);
  TNGfxSetBlendColor(0, 0, 1, 1);  // replaces the (absent) texel completely
  DrawQuadAt(quad, 100, 0, 50, 50);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(300, 300), 255, 0, 0, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(500, 300), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 255, 255, 255, 0);
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  TNSysFrameEnd();
  TNGfxMeshFree(quad);
}

TEST_F(MeshTest, InvalidDrawModeIsReportedAndDrawsNothing) {
  TNGfxVertexList* quad = MakeUnitQuad(0xFFFF0000u);
  StartWhiteColourFrame();
  TNGfxSetPosition(0, 0);
  ::testing::internal::CaptureStdout();
  TNGfxMeshDraw(quad, 4);
  EXPECT_EQ("Mesh Draw Mode 4 is invalid!\n", ::testing::internal::GetCapturedStdout());
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 255, 255, 255, 0);
  TNSysFrameEnd();
  TNGfxMeshFree(quad);
}

TEST_F(MeshTest, StagingOverflowIsRefusedAndReportedOncePerMesh) {
  ::testing::internal::CaptureStdout();
  for (int i = 0; i < TN_GFX_MAX_STAGED_VERTICES + 10; ++i) TNGfxVertexAdd(static_cast<float>(i), 0, 0, 0, 0);
  const std::string output = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(1, CountOccurrences(output, "refused")) << output;
  TNGfxVertexList* full = TNGfxMeshEnd();
  ASSERT_EQ(static_cast<unsigned int>(TN_GFX_MAX_STAGED_VERTICES), full->vertexCount);
  const std::vector<float> lastPosition =
      BufferContents(full->bufferIds[0], 3 * TN_GFX_MAX_STAGED_VERTICES);
  EXPECT_EQ(static_cast<float>(TN_GFX_MAX_STAGED_VERTICES - 1), lastPosition[3 * (TN_GFX_MAX_STAGED_VERTICES - 1)]);

  // The next mesh starts empty and may report again.
  ::testing::internal::CaptureStdout();
  for (int i = 0; i < TN_GFX_MAX_STAGED_VERTICES + 1; ++i) TNGfxVertexAdd(0, 0, 0, 0, 0);
  EXPECT_EQ(1, CountOccurrences(::testing::internal::GetCapturedStdout(), "refused"));
  TNGfxVertexList* second = TNGfxMeshEnd();
  EXPECT_EQ(static_cast<unsigned int>(TN_GFX_MAX_STAGED_VERTICES), second->vertexCount);
  TNGfxMeshFree(full);
  TNGfxMeshFree(second);
}

TEST_F(MeshTest, EmptyNullAndProgramlessDrawsAreHarmless) {
  TNGfxVertexList* empty = TNGfxMeshEnd();
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0u, empty->vertexCount);
  TNGfxVertexList* quad = MakeUnitQuad(0xFFFF0000u);
  TNSysFrameStart();
  TNGfxSetRenderMode(1);
  TNGfxMeshDraw(empty, 3);
  TNGfxMeshDraw(nullptr, 3);
  TNGfxSetRenderMode(0);
  DrawQuadAt(quad, 0, 0, 100, 100);
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 255, 255, 255, 0);
  TNSysFrameEnd();  // would end the program on a GL error
  TNGfxMeshFree(nullptr);
  TNGfxMeshFree(empty);
  TNGfxMeshFree(quad);
}

TEST_F(MeshTest, LinesDrawOnlyWithTheColourProgram) {
  StartWhiteColourFrame();
  TNGfxSetPosition(0, 0);
  TNGfxLine(-100, 0.5f, 0, 1, 0, 0, 1, 100, 0.5f, 0, 1, 0, 0, 1);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 299), 255, 0, 0, 0);
  TNGfxSetRenderMode(2);
  TNGfxLine(-100, 20.5f, 0, 1, 0, 0, 1, 100, 20.5f, 0, 1, 0, 0, 1);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 279), 255, 255, 255, 0);
  TNGfxSetRenderMode(1);
  TNGfxAxis(100);  // its x axis runs along the boundary of rows 299 and 300
  const TestPixel above = ReadWindowPixel(400 + 40, 299);
  const TestPixel below = ReadWindowPixel(400 + 40, 300);
  EXPECT_TRUE(PixelNear(above, 255, 0, 0, 0) || PixelNear(below, 255, 0, 0, 0)) << above << below;
  EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
  TNSysFrameEnd();
}

TEST(ColourInterpolation, MixesEachChannelAndClampsT) {
  EXPECT_EQ(0xFF7F7F7Fu, TNGfxColInterp(0xFF000000u, 0xFFFFFFFFu, 0.5f));
  EXPECT_EQ(0xFFFFFFFFu, TNGfxColInterp(0xFF000000u, 0xFFFFFFFFu, 2.0f));
  EXPECT_EQ(0xFF000000u, TNGfxColInterp(0xFF000000u, 0xFFFFFFFFu, -1.0f));
  // Channels falling and rising at once, each truncated.
  EXPECT_EQ(0xBF3FBF3Fu, TNGfxColInterp(0xFF00FF00u, 0x00FF00FFu, 0.25f));
  EXPECT_EQ(0x12345678u, TNGfxColInterp(0x12345678u, 0x12345678u, 0.7f));
}

}  // namespace
