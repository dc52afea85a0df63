// Textures: PNG and JPEG files decoded by SDL_image into RGBA rows, top row
// first, uploaded at their own size with nearest filtering.
#include <SDL.h>
#include <SDL_image.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "TNEngineInternal.h"
#include "TNGraphics.h"
#include "platform/TNGL.h"

static const size_t kMaxNameLength = 255;
static unsigned int sLiveTextures = 0;

static TNGfxTexture* NewTextureRecord() {
  TNGfxTexture* texture = new TNGfxTexture();
  TNGfxTextureInitialize(texture);
  ++sLiveTextures;
  return texture;
}

static void StartDecoders() {
  static bool started = false;
  if (started) return;
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  started = true;
}

/* libpng complains about a broken file on stderr by itself, before the
 * engine's own line that names the file; its words mean nothing to a player.
 * Returns the descriptor to give back to RestoreStderr. */
static int SilenceStderr() {
  fflush(stderr);
  int saved = dup(STDERR_FILENO);
  int sink = open("/dev/null", O_WRONLY);
  if (saved >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
  if (sink >= 0) close(sink);
  return saved;
}

static void RestoreStderr(int saved) {
  if (saved < 0) return;
  fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
}

/* Decodes a file into R, G, B, A bytes per pixel; null (after one line on
 * stderr naming the file) when it cannot be read or decoded. */
static SDL_Surface* DecodeImage(const char* fileName) {
  StartDecoders();
  int stderrCopy = SilenceStderr();
  SDL_Surface* decoded = IMG_Load(fileName);
  RestoreStderr(stderrCopy);
  if (!decoded) {
    fprintf(stderr, "Texture: cannot load \"%s\": %s\n", fileName, IMG_GetError());
    return nullptr;
  }
  // RGBA32 names the packed format whose bytes lie in memory as R, G, B, A
  // (ABGR8888 on this little-endian machine), which is what GL_RGBA reads.
  // PNGs with alpha usually decode to it already.
  if (decoded->format->format == SDL_PIXELFORMAT_RGBA32) return decoded;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(decoded);
  if (!rgba) fprintf(stderr, "Texture: cannot convert \"%s\": %s\n", fileName, SDL_GetError());
  return rgba;
}

/* Rows lie tight, 4 x width bytes apart, as SDL lays out every 32-bit
 * surface: GL ES has no unpack row length to say otherwise. */
static void UploadRgba(TNGfxTexture* texture, GLint internalFormat, const void* pixels, int width,
                       int height) {
  glGenTextures(1, texture->id);
  glBindTexture(GL_TEXTURE_2D, *texture->id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  TNPlatPrepareTextureWrap();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  glBindTexture(GL_TEXTURE_2D, 0);
}

TNGfxTexture* TNGfxTextureLoad(const char* fileName) {
  if (!fileName || strlen(fileName) > kMaxNameLength) return nullptr;
  TNGfxTexture* texture = NewTextureRecord();
  strncpy(texture->name, fileName, sizeof texture->name - 1);
  SDL_Surface* image = DecodeImage(fileName);
  if (!image) return texture;   // no image: binding it binds texture 0
  SDL_LockSurface(image);
  UploadRgba(texture, TN_GL_RGBA8, image->pixels, image->w, image->h);
  SDL_UnlockSurface(image);
  SDL_FreeSurface(image);
  return texture;
}

TNGfxTexture* TNGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height) {
  TNGfxTexture* texture = NewTextureRecord();
  if (!rgba || width <= 0 || height <= 0) return texture;
  UploadRgba(texture, GL_RGBA, rgba, width, height);
  return texture;
}

/* Brings an offset above 1 into (0, 1] as repeated subtraction of 1 would,
 * without looping: a huge offset would never get there one step at a time. */
static float FoldOffset(float offset) {
  if (!(offset > 1.0f)) return offset;
  if (std::isinf(offset)) return 1.0f;
  double value = offset;
  return static_cast<float>(value - (std::ceil(value) - 1.0));
}

void TNGfxTextureSet(TNGfxTexture* texture, float offsetU, float offsetV) {
  if (!texture) {
    glBindTexture(GL_TEXTURE_2D, 0);
    return;
  }
  GLint sampler = TNGfxUniformLocation("uTexture");
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture->id ? *texture->id : 0);
  if (sampler >= 0) glUniform1i(sampler, 0);
  CHECK_GL_ERROR("TNGfxTextureSet");
  GLint offset = TNGfxUniformLocation("uTextureOffset");
  if (offset >= 0) glUniform2f(offset, FoldOffset(offsetU), FoldOffset(offsetV));
  CHECK_GL_ERROR("TNGfxTextureSet");
}

void TNGfxTextureUnload(TNGfxTexture* texture) {
  if (!texture) return;
  if (texture->id && *texture->id != 0) glDeleteTextures(1, texture->id);
  delete texture->id;
  delete texture;
  --sLiveTextures;
}

unsigned int TNGfxTextureCount(void) { return sLiveTextures; }

void TNGfxSaveTextureToFile(TNGfxTexture* texture, const char* fileName) {
  if (texture && fileName) printf("TNGfxSaveTextureToFile not supported in the OpenGL version of the Tarnel Engine!\n");
}

void TNGfxTextureInitialize(TNGfxTexture* texture) {
  if (texture) texture->id = new unsigned int(0);
}
