#ifndef TN_ENGINE_INTERNAL_H
#define TN_ENGINE_INTERNAL_H
/*
 * Hooks shared between the engine's own modules. Not part of the engine's
 * interface: game code never includes this header.
 */
#include "TNGraphics.h"

/* Full-screen flag and screen-to-logical scale factors (1.0 while windowed). */
bool TNSysIsFullScreen();
void TNSysGetScale(float* scaleX, float* scaleY);
/* Screen pixels of the window to logical pixels, truncated towards zero: the
 * exact screen/logical ratio, so the screen centre maps to the logical centre
 * (dividing by the rounded float scale would give 399 for 960 / 2.4). */
void TNSysScreenToLogical(int* x, int* y);

/* The shader set: index of the program in use (0 none, 1 colour, 2 texture)
 * and name lookups in it (-1 when no program is current). */
int TNGfxCurrentProgram();
int TNGfxUniformLocation(const char* name);
int TNGfxAttribLocation(const char* name);
/* Uploads the camera's look-at view, scaled by (scaleX, scaleY, 1, 1), to
 * uVMatrix of the current program. */
void TNGfxUploadView(float scaleX, float scaleY);
/* Drops every staged mesh vertex. */
void TNGfxMeshStagingClear();
/* Enables the attribute at `location` and points it at a copy of `count`
 * vertices of `components` floats, held in stream buffer `slot` (0 or 1;
 * one per attribute of a draw), since WebGL draws from buffer objects only.
 * Leaves no buffer bound. */
void TNGfxStreamAttribute(int slot, int location, int components, const float* values, int count);
/* Forgets the stream buffers along with the context that owns them. */
void TNGfxStreamBuffersRelease();

/* Every graphics diagnostic names the graphics module's file. */
#define TN_GRAPHICS_FILE "TNGraphics.cpp"
#define CHECK_GL_ERROR(func) TNReportGLErrors(__LINE__, (func), TN_GRAPHICS_FILE)

#endif
