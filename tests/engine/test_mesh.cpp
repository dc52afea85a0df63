#include "GLTestWindow.h"

static std::vector<float> BufferContents(GLuint buffer, int floats) {
  std::vector<float> data(floats, -1.0f);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, floats * sizeof(float), data.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return data;
}

using MeshTest = GLTestWindow;

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

