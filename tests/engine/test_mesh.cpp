#include "GLTestWindow.h"

static std::vector<float> BufferContents(GLuint buffer, int floats) {
  std::vector<float> data(floats, -1.0f);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, floats * sizeof(float), data.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return data;
}

using MeshTest = GLTestWindow;

TEST_F(MeshTest, UploadsPositionsColoursAsRgbaAndCoordinatesAsFloats) {
  TNGfxMeshStart();
  TNGfxVertexAdd(1.5f, -2.0f, 0x80FF0000u, 0.25f, 0.75f);
  TNGfxVertexAdd(3.0f, 4.0f, 0xFF336699u, 1.0f, 0.0f);
  meshes_.push_back(TNGfxMeshEnd());
  const unsigned int* buffers = meshes_[0]->bufferIds;
  ASSERT_EQ(2u, meshes_[0]->vertexCount);
  EXPECT_EQ(std::vector<float>({1.5f, -2, 0, 3, 4, 0}), BufferContents(buffers[0], 6));
  EXPECT_EQ(std::vector<float>({1, 0, 0, 0x80 / 255.0f, 0x33 / 255.0f, 0x66 / 255.0f, 0x99 / 255.0f, 1}),
            BufferContents(buffers[1], 8));
  EXPECT_EQ(std::vector<float>({0.25f, 0.75f, 1, 0}), BufferContents(buffers[2], 4));
}

TEST_F(MeshTest, StagingCarriesOverStartButNotEndOrReset) {
  TNGfxVertexAdd(0, 0, 0, 0, 0);  // before the start: still in the mesh
  TNGfxMeshStart();
  TNGfxTriAdd(0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0);
  meshes_.push_back(TNGfxMeshEnd());
  TNGfxVertexAdd(0, 0, 0, 0, 0);
  TNGfxReset();
  meshes_.push_back(TNGfxMeshEnd());
  EXPECT_TRUE(meshes_[0]->vertexCount == 4 && meshes_[1]->vertexCount == 0);
}

TEST_F(MeshTest, StagingOverflowIsRefusedAndReportedOncePerMesh) {
  const int max = TN_GFX_MAX_STAGED_VERTICES;
  for (int extra : {10, 1}) {
    ::testing::internal::CaptureStdout();
    for (int i = 0; i < max + extra; ++i) TNGfxVertexAdd(static_cast<float>(i), 0, 0, 0, 0);
    const std::string output = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(output.find("refused") != std::string::npos && output.find("refused") == output.rfind("refused"))
        << output;
    meshes_.push_back(TNGfxMeshEnd());
    ASSERT_EQ(static_cast<unsigned int>(max), meshes_.back()->vertexCount);
    EXPECT_EQ(max - 1.0f, BufferContents(meshes_.back()->bufferIds[0], 3 * max)[3 * (max - 1)]);  // the first kept
  }
}

TEST_F(MeshTest, QuadDrawsInBothProgramsWhileBadModeEmptyNullAndProgramlessDrawsDrawNothing) {
  TNGfxVertexList* quad = Quad(0xFFFF0000u);
  TNGfxVertexList* empty = TNGfxMeshEnd();
  meshes_.push_back(empty);
  StartFrame(1);
  DrawQuadAt(quad, -100, 0, 50, 50);
  const TNMtx33 centre = {{{100, 0, 0}, {0, 100, 0}, {0, 0, 1}}};
  TNGfxSetTransform(&centre);
  ::testing::internal::CaptureStdout();
  TNGfxMeshDraw(quad, 4);
  EXPECT_EQ("Mesh Draw Mode 4 is invalid!\n", ::testing::internal::GetCapturedStdout());
  TNGfxMeshDraw(empty, 3);
  TNGfxMeshDraw(nullptr, 3);
  TNGfxSetRenderMode(2);
  TNGfxSetTintColor(1, 1, 1, 1);
  TNGfxSetTransparency(1);
  TNGfxSetBlendColor(0, 0, 1, 1);  // replaces the (absent) texel completely
  DrawQuadAt(quad, 100, 0, 50, 50);
  TNGfxSetRenderMode(0);
  DrawQuadAt(quad, 0, 0, 100, 100);
  ExpectPixels({{300, 300, kRed}, {500, 300, kBlue}, {400, 300, kWhite}});  // and no GL error at the frame's end
  TNGfxMeshFree(nullptr);
}

TEST_F(MeshTest, LineDrawsInItsColour) {
  StartFrame(1);
  TNGfxSetPosition(0, 0);
  TNGfxLine(-100, 0.5f, 0, 1, 0, 0, 1, 100, 0.5f, 0, 1, 0, 0, 1);
  ExpectPixels({{400, 299, kRed}});
}

TEST(ColourInterpolation, MixesEachChannelTruncated) {
  EXPECT_EQ(0xBF3FBF3Fu, TNGfxColInterp(0xFF00FF00u, 0x00FF00FFu, 0.25f));  // falling and rising at once
}

