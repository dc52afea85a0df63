#ifndef TN_GL_H
#define TN_GL_H
/*
 * The OpenGL the engine draws with: desktop OpenGL 2.0 through GLEW, or
 * WebGL 1 (OpenGL ES 2.0) in the browser. The engine keeps to what both
 * have: buffer objects for every vertex, no unpack row length, unsized
 * texture formats; display lists only name fonts, on the desktop.
 */
#ifdef __EMSCRIPTEN__
#include <GLES2/gl2.h>
// WebGL 1 takes only unsized internal formats; it stores 8 bits a channel.
#define TN_GL_RGBA8 GL_RGBA
#else
#include <GL/glew.h>
#define TN_GL_RGBA8 GL_RGBA8
#endif

/* Loads the GL entry points for the current context; false (after saying
 * why on stderr) when the context cannot run the engine. */
bool TNPlatLoadGL();

/* Called with a freshly bound texture: WebGL 1 samples a texture whose sides
 * are not powers of two as black unless it is clamped at the edges. */
void TNPlatPrepareTextureWrap();

/* A block of `count` consecutive ids for a font, none of them in use by
 * another font (0 when none is left); released as a whole. The desktop takes
 * display-list names, so the ids are what GL itself would hand out there. */
unsigned int TNPlatReserveFontIds(int count);
void TNPlatReleaseFontIds(unsigned int first, int count);

#endif
