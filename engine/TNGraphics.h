#ifndef TN_GRAPHICS_H
#define TN_GRAPHICS_H
/*
 * Graphics: the OpenGL 2.0 context, the colour (1) and texture (2) shader
 * programs, render state, world transforms, the 2D camera, meshes, textures,
 * fonts and the engine's diagnostic reports.
 *
 * World units are window pixels; with the camera at (x, y) the window shows
 * x - w/2 .. x + w/2 by y - h/2 .. y + h/2, y up.
 *
 * Modes: render 0 none, 1 colour, 2 texture; blend 0 off, 1 alpha,
 * 2 additive; texture 0 nearest, 1 linear. Uniform values belong to the
 * program current when they are set, so choose the render mode first.
 */
#include "TNMatrix3x3.h"

/* ---- Diagnostics: printed on standard output; each ends the program with
 * exit code 1. HALT and GL-error reports first wait for a key press, but only
 * when standard input is a terminal. */
TN_API void TNReportHalt(int line, const char* func, const char* file, const char* message);
/* Reports every pending GL error; returns when there is none. */
TN_API void TNReportGLErrors(int line, const char* func, const char* file);
TN_API void TNReportAssert(const char* condition, int line, const char* func, const char* file,
                           const char* message);
TN_API void TNReportAssertParm(const char* condition, int line, const char* func, const char* file);

#define HALT(message) TNReportHalt(__LINE__, __func__, __FILE__, (message))
#define TN_ASSERT_MESG(condition, message) \
  do { if (!(condition)) TNReportAssert(#condition, __LINE__, __func__, __FILE__, (message)); } while (0)
#define TN_ASSERT_PARM(condition) \
  do { if (!(condition)) TNReportAssertParm(#condition, __LINE__, __func__, __FILE__); } while (0)

/* ---- Renderer core */
/* The visible world rectangle (TN_API makes these declarations, not definitions). */
TN_API float gTNWinMinX;
TN_API float gTNWinMaxX;
TN_API float gTNWinMinY;
TN_API float gTNWinMaxY;

TN_API int TNGfxInit(int width, int height);
TN_API void TNGfxReset(void);   /* empties the mesh staging area */
TN_API void TNGfxExit(void);
TN_API void TNGfxStart(void);   /* clear colour and depth */
TN_API void TNGfxEnd(void);     /* error check, no program, glFinish, swap */
TN_API void TNGfxSetBackgroundColor(float r, float g, float b);
TN_API void TNGfxSetRenderMode(int mode);
TN_API void TNGfxSetBlendMode(int mode);
TN_API void TNGfxSetTextureMode(int mode);
TN_API void TNGfxSetTintColor(float r, float g, float b, float a);
/* Alpha is the weight with which (r, g, b) replaces the vertex or texel colour. */
TN_API void TNGfxSetBlendColor(float r, float g, float b, float a);
TN_API void TNGfxSetTransparency(float alpha);
TN_API void TNGfxSetPosition(float x, float y);
TN_API void TNGfxSetTransform(const TNMtx33* m);
TN_API void TNGfxSetTransform3D(const float* rowMajor4x4);
/* A camera move takes effect at the next change of render mode. */
TN_API void TNGfxSetCamPosition(float x, float y);
TN_API void TNGfxGetCamPosition(float* x, float* y);
TN_API float TNGfxGetWinMinX(void);
TN_API float TNGfxGetWinMaxX(void);
TN_API float TNGfxGetWinMinY(void);
TN_API float TNGfxGetWinMaxY(void);

/* ---- Meshes: stage vertices, then upload them once and draw many times. */
typedef struct TNGfxVertexList {
  unsigned int* bufferIds;   /* positions, colours, texture coordinates */
  unsigned int vertexCount;
} TNGfxVertexList;

#define TN_GFX_MAX_STAGED_VERTICES 24576

TN_API void TNGfxMeshStart(void);
/* colour is 0xAARRGGBB; vertices beyond the staging area are refused. */
TN_API void TNGfxVertexAdd(float x, float y, unsigned int colour, float u, float v);
TN_API void TNGfxTriAdd(float x0, float y0, unsigned int c0, float u0, float v0,
                        float x1, float y1, unsigned int c1, float u1, float v1,
                        float x2, float y2, unsigned int c2, float u2, float v2);
TN_API TNGfxVertexList* TNGfxMeshEnd(void);
/* Modes: 0 points, 1 lines, 2 line strip, 3 triangles. */
TN_API void TNGfxMeshDraw(TNGfxVertexList* mesh, unsigned int drawMode);
TN_API void TNGfxMeshFree(TNGfxVertexList* mesh);
/* Meshes made by TNGfxMeshEnd and not yet freed: a leak shows as a count that keeps growing. */
TN_API unsigned int TNGfxMeshCount(void);
TN_API void TNGfxTriListInitialize(TNGfxVertexList* mesh);
TN_API unsigned int TNGfxColInterp(unsigned int c0, unsigned int c1, float t);

/* Immediate shapes: only TNGfxLine (and so TNGfxAxis) draws. */
TN_API void TNGfxPoint(float x, float y, float z, unsigned int colour);
TN_API void TNGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0,
                      float x1, float y1, float z1, float r1, float g1, float b1, float a1);
TN_API void TNGfxTri(float x0, float y0, float z0, unsigned int c0,
                     float x1, float y1, float z1, unsigned int c1,
                     float x2, float y2, float z2, unsigned int c2);
TN_API void TNGfxQuad(float x0, float y0, float z0, unsigned int c0,
                      float x1, float y1, float z1, unsigned int c1,
                      float x2, float y2, float z2, unsigned int c2,
                      float x3, float y3, float z3, unsigned int c3);
TN_API void TNGfxBox(float x, float y, float z, float sizeX, float sizeY, float sizeZ,
                     unsigned int c0, unsigned int c1);
TN_API void TNGfxSphere(float x, float y, float z, float radius, unsigned int c0, unsigned int c1,
                        unsigned int slices);
TN_API void TNGfxCone(float tipX, float tipY, float tipZ, float baseX, float baseY, float baseZ,
                      float radius, unsigned int c0, unsigned int c1, unsigned int segments);
TN_API void TNGfxAxis(float scale);

/* ---- Textures: PNG or JPEG, uploaded at their own size, top row first
 * (v = 0 is the top edge), nearest filtering. */
typedef struct TNGfxTexture {
  unsigned int* id;   /* 0 when the file could not be decoded */
  char name[256];
} TNGfxTexture;

/* Null when the name is longer than 255 characters. A file that cannot be
 * read gives a texture without an image; drawing it samples nothing. */
TN_API TNGfxTexture* TNGfxTextureLoad(const char* fileName);
TN_API TNGfxTexture* TNGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height);
/* Null unbinds. Offsets above 1 are folded into (0, 1]. */
TN_API void TNGfxTextureSet(TNGfxTexture* texture, float offsetU, float offsetV);
TN_API void TNGfxTextureUnload(TNGfxTexture* texture);
/* Textures loaded (from a file or memory, with an image or not) and not yet unloaded. */
TN_API unsigned int TNGfxTextureCount(void);
TN_API void TNGfxSaveTextureToFile(TNGfxTexture* texture, const char* fileName);
TN_API void TNGfxTextureInitialize(TNGfxTexture* texture);

/* ---- Fonts: a font id names 96 consecutive ids, one per code 32..127. */
TN_API unsigned int TNGfxCreateFont(const char* faceName, int size, bool bold, bool italic);
/* Prints text (at most 255 characters, taken literally) with its base point
 * at world (x, y) in the colour (r, g, b) times the current tint. */
TN_API void TNGfxPrint(unsigned int fontId, const char* text, int x, int y, float r, float g, float b);
TN_API void TNGfxDestroyFont(unsigned int fontId);

#endif
