// Meshes: vertices are staged on the CPU, uploaded once into three buffer
// objects and drawn by whichever program the render mode selected.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "TNEngineInternal.h"
#include "TNGraphics.h"
#include "TNMath.h"
#include "platform/TNGL.h"

namespace {

struct StagedVertex {
  float x, y, z;
  unsigned int colour;  // 0xAARRGGBB
  float u, v;
};

const int kPositionComponents = 3;
const int kColourComponents = 4;
const int kCoordinateComponents = 2;
const int kPositionBytes = 12;
const int kColourBytes = 16;
const int kCoordinateBytes = 8;

enum BufferSlot { kPositionBuffer = 0, kColourBuffer = 1, kCoordinateBuffer = 2 };

StagedVertex sStaged[TN_GFX_MAX_STAGED_VERTICES];
unsigned int sStagedCount = 0;
unsigned int sLiveMeshes = 0;
bool sOverflowReported = false;
GLuint sStreamBuffers[2] = {0, 0};

bool PrimitiveForMode(unsigned int drawMode, GLenum* primitive) {
  switch (drawMode) {
    case 0: *primitive = GL_POINTS; return true;
    case 1: *primitive = GL_LINES; return true;
    case 2: *primitive = GL_LINE_STRIP; return true;
    case 3: *primitive = GL_TRIANGLES; return true;
    default: return false;
  }
}

float ColourChannel(unsigned int colour, int shift) {
  return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

void UploadBuffer(GLuint buffer, const std::vector<float>& data, int bytesPerVertex, unsigned int count) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * bytesPerVertex,
               data.empty() ? nullptr : data.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glFinish();
}

// Points an enabled attribute at one of the mesh's buffers.
void BindAttribute(GLint location, GLuint buffer, int components) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void DrawWithSecondAttribute(const TNGfxVertexList* mesh, GLenum primitive, const char* attribute,
                             BufferSlot slot, int components) {
  GLint location = TNGfxAttribLocation(attribute);
  if (location < 0) return;
  BindAttribute(location, mesh->bufferIds[slot], components);
  glDrawArrays(primitive, 0, static_cast<GLsizei>(mesh->vertexCount));
  glDisableVertexAttribArray(location);
}

unsigned int InterpolateChannel(unsigned int c0, unsigned int c1, int shift, float t) {
  int from = static_cast<int>((c0 >> shift) & 0xFF);
  int to = static_cast<int>((c1 >> shift) & 0xFF);
  int value = static_cast<int>(static_cast<float>(to - from) * t + static_cast<float>(from));
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  return static_cast<unsigned int>(value) << shift;
}

}  // namespace

void TNGfxStreamAttribute(int slot, int location, int components, const float* values, int count) {
  if (sStreamBuffers[slot] == 0) glGenBuffers(1, &sStreamBuffers[slot]);
  glBindBuffer(GL_ARRAY_BUFFER, sStreamBuffers[slot]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * components * sizeof(float), values,
               GL_STREAM_DRAW);
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TNGfxStreamBuffersRelease() {
  for (GLuint& buffer : sStreamBuffers) {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
    buffer = 0;
  }
}

void TNGfxMeshStagingClear() {
  sStagedCount = 0;
  sOverflowReported = false;
}

void TNGfxMeshStart(void) {}

void TNGfxVertexAdd(float x, float y, unsigned int colour, float u, float v) {
  if (sStagedCount >= TN_GFX_MAX_STAGED_VERTICES) {
    if (!sOverflowReported) {
      printf("TNGfxVertexAdd: the mesh staging area holds %d vertices; further vertices are refused\n",
             TN_GFX_MAX_STAGED_VERTICES);
      sOverflowReported = true;
    }
    return;
  }
  sStaged[sStagedCount++] = StagedVertex{x, y, 0.0f, colour, u, v};
}

void TNGfxTriAdd(float x0, float y0, unsigned int c0, float u0, float v0,
                 float x1, float y1, unsigned int c1, float u1, float v1,
                 float x2, float y2, unsigned int c2, float u2, float v2) {
  TNGfxVertexAdd(x0, y0, c0, u0, v0);
  TNGfxVertexAdd(x1, y1, c1, u1, v1);
  TNGfxVertexAdd(x2, y2, c2, u2, v2);
}

void TNGfxTriListInitialize(TNGfxVertexList* mesh) {
  if (!mesh) return;
  mesh->bufferIds = static_cast<unsigned int*>(calloc(3, sizeof(unsigned int)));
}

TNGfxVertexList* TNGfxMeshEnd(void) {
  TNGfxVertexList* mesh = static_cast<TNGfxVertexList*>(calloc(1, sizeof(TNGfxVertexList)));
  TNGfxTriListInitialize(mesh);
  ++sLiveMeshes;
  unsigned int count = sStagedCount;
  mesh->vertexCount = count;
  glGenBuffers(3, mesh->bufferIds);

  std::vector<float> positions, colours, coordinates;
  positions.reserve(count * kPositionComponents);
  colours.reserve(count * kColourComponents);
  coordinates.reserve(count * kCoordinateComponents);
  for (unsigned int i = 0; i < count; ++i) {
    const StagedVertex& vertex = sStaged[i];
    positions.insert(positions.end(), {vertex.x, vertex.y, vertex.z});
    colours.insert(colours.end(), {ColourChannel(vertex.colour, 16), ColourChannel(vertex.colour, 8),
                                   ColourChannel(vertex.colour, 0), ColourChannel(vertex.colour, 24)});
    coordinates.insert(coordinates.end(), {vertex.u, vertex.v});
  }
  UploadBuffer(mesh->bufferIds[kPositionBuffer], positions, kPositionBytes, count);
  UploadBuffer(mesh->bufferIds[kColourBuffer], colours, kColourBytes, count);
  UploadBuffer(mesh->bufferIds[kCoordinateBuffer], coordinates, kCoordinateBytes, count);
  CHECK_GL_ERROR("TNGfxMeshEnd");
  TNGfxMeshStagingClear();
  return mesh;
}

void TNGfxMeshDraw(TNGfxVertexList* mesh, unsigned int drawMode) {
  GLenum primitive;
  if (!PrimitiveForMode(drawMode, &primitive)) {
    printf("Mesh Draw Mode %u is invalid!\n", drawMode);
    return;
  }
  // Without a program GL would reject the attribute calls and the frame's
  // error check would end the game; drawing nothing is the sane outcome.
  int program = TNGfxCurrentProgram();
  if (!mesh || !mesh->bufferIds || program == 0) return;
  GLint position = TNGfxAttribLocation("aPosition");
  if (position < 0) return;
  BindAttribute(position, mesh->bufferIds[kPositionBuffer], kPositionComponents);
  if (program == 1) {
    DrawWithSecondAttribute(mesh, primitive, "aColor", kColourBuffer, kColourComponents);
  } else if (program == 2) {
    DrawWithSecondAttribute(mesh, primitive, "aTextureCoordinate", kCoordinateBuffer,
                            kCoordinateComponents);
  }
  glDisableVertexAttribArray(position);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void TNGfxMeshFree(TNGfxVertexList* mesh) {
  if (!mesh) return;
  if (mesh->bufferIds) {
    glDeleteBuffers(3, mesh->bufferIds);
    free(mesh->bufferIds);
  }
  free(mesh);
  --sLiveMeshes;
}

unsigned int TNGfxMeshCount(void) { return sLiveMeshes; }

unsigned int TNGfxColInterp(unsigned int c0, unsigned int c1, float t) {
  t = TNClamp(t, 0.0f, 1.0f);
  return InterpolateChannel(c0, c1, 24, t) | InterpolateChannel(c0, c1, 16, t) |
         InterpolateChannel(c0, c1, 8, t) | InterpolateChannel(c0, c1, 0, t);
}

/* ---------------------------------------------------------------------------
 * Immediate shapes. Only lines reach the screen; the other shapes draw
 * nothing and leave the staging area alone, so they cannot corrupt a mesh
 * that is being built.
 */

void TNGfxPoint(float, float, float, unsigned int) {}

void TNGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0,
               float x1, float y1, float z1, float r1, float g1, float b1, float a1) {
  if (TNGfxCurrentProgram() != 1) return;
  GLint position = TNGfxAttribLocation("aPosition");
  GLint colour = TNGfxAttribLocation("aColor");
  if (position < 0 || colour < 0) return;
  const float positions[6] = {x0, y0, z0, x1, y1, z1};
  const float colours[8] = {r0, g0, b0, a0, r1, g1, b1, a1};
  TNGfxStreamAttribute(0, position, kPositionComponents, positions, 2);
  TNGfxStreamAttribute(1, colour, kColourComponents, colours, 2);
  glDrawArrays(GL_LINES, 0, 2);
  glDisableVertexAttribArray(colour);
  glDisableVertexAttribArray(position);
}

void TNGfxTri(float, float, float, unsigned int, float, float, float, unsigned int,
              float, float, float, unsigned int) {}

void TNGfxQuad(float, float, float, unsigned int, float, float, float, unsigned int,
               float, float, float, unsigned int, float, float, float, unsigned int) {}

void TNGfxBox(float, float, float, float, float, float, unsigned int, unsigned int) {}

void TNGfxSphere(float, float, float, float, unsigned int, unsigned int, unsigned int) {}

void TNGfxCone(float, float, float, float, float, float, float, unsigned int, unsigned int,
               unsigned int) {}

void TNGfxAxis(float scale) {
  const float shaft = 0.8f * scale;
  const float head = 0.1f * scale;
  TNGfxSphere(0.0f, 0.0f, 0.0f, head, 0xFF808080u, 0xFFFFFFFFu, 8);
  TNGfxLine(0, 0, 0, 1, 0, 0, 1, shaft, 0, 0, 1, 0, 0, 1);
  TNGfxLine(0, 0, 0, 0, 1, 0, 1, 0, shaft, 0, 0, 1, 0, 1);
  TNGfxLine(0, 0, 0, 0, 0, 1, 1, 0, 0, shaft, 0, 0, 1, 1);
  TNGfxCone(scale, 0, 0, shaft, 0, 0, head, 0xFFFF0000u, 0xFFFF0000u, 8);
  TNGfxCone(0, scale, 0, 0, shaft, 0, head, 0xFF00FF00u, 0xFF00FF00u, 8);
  TNGfxCone(0, 0, scale, 0, 0, shaft, head, 0xFF0000FFu, 0xFF0000FFu, 8);
}
