// Desktop OpenGL: entry points through GLEW; the driver repeats textures of
// any size.
#include "TNGL.h"

#include <cstdio>

bool TNPlatLoadGL() {
  const GLenum glew = glewInit();
  if (glew != GLEW_OK) {
    // GLEW's own reason, so that a rare failure on some driver can be told apart.
    fprintf(stderr, "GLEW: %s\n", reinterpret_cast<const char*>(glewGetErrorString(glew)));
    return false;
  }
  if (!GLEW_VERSION_2_0) {
    fprintf(stderr, "OpenGL 2.0 is not supported by this driver\n");
    return false;
  }
  return true;
}

void TNPlatPrepareTextureWrap() {}

unsigned int TNPlatReserveFontIds(int count) { return glGenLists(count); }

void TNPlatReleaseFontIds(unsigned int first, int count) { glDeleteLists(first, count); }
