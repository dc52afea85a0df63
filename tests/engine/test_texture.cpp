// Textures: decoding, orientation, size, offsets and broken files, checked
// through GL state and what is drawn.
#include <GL/glew.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "GLTestWindow.h"
#include "TNEngineInternal.h"

namespace {

const unsigned int kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;

std::string ScratchPath(const std::string& name) {
  return "/tmp/sorca-texture-" + std::to_string(getpid()) + "-" + name;
}

/* An image whose pixel (x, y), top-left origin, has the colour 0xAARRGGBB. */
SDL_Surface* MakeImage(int width, int height, const std::function<unsigned int(int, int)>& colourAt) {
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < height; ++y) {
    Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
    for (int x = 0; x < width; ++x) row[x] = colourAt(x, y);
  }
  return image;
}

/* Red, green / blue, white quadrants: any flip or swap shows. */
unsigned int Quadrants(int x, int y, int width, int height) {
  bool left = x < width / 2;
  bool top = y < height / 2;
  if (top) return left ? kRed : kGreen;
  return left ? kBlue : kWhite;
}

std::string WritePng(const std::string& path, int width, int height) {
  SDL_Surface* image = MakeImage(width, height, [=](int x, int y) { return Quadrants(x, y, width, height); });
  EXPECT_EQ(0, IMG_SavePNG(image, path.c_str())) << IMG_GetError();
  SDL_FreeSurface(image);
  return path;
}

std::string WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

GLint Binding() {
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

class TextureTest : public GLTestWindow {
 protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    quad_ = MakeUnitQuad(kWhite);
  }
  void TearDown() override {
    TNGfxMeshFree(quad_);
    for (const std::string& path : files_) std::remove(path.c_str());
    GLTestWindow::TearDown();
  }
  std::string Scratch(const std::string& name) {
    files_.push_back(ScratchPath(name));
    return files_.back();
  }
  // A frame on black with the texture program at full strength.
  void StartTextureFrame() {
    TNGfxSetBackgroundColor(0, 0, 0);
    TNSysFrameStart();
    TNGfxSetBlendMode(1);
    TNGfxSetRenderMode(2);
    TNGfxSetTintColor(1, 1, 1, 1);
    TNGfxSetTransparency(1);
    TNGfxSetBlendColor(0, 0, 0, 0);
  }
  void ExpectOffset(float u, float v) {
    float offset[2] = {-99, -99};
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetUniformfv(program, TNGfxUniformLocation("uTextureOffset"), offset);
    EXPECT_FLOAT_EQ(u, offset[0]);
    EXPECT_FLOAT_EQ(v, offset[1]);
  }
  TNGfxVertexList* quad_ = nullptr;
  std::vector<std::string> files_;
};

TEST_F(TextureTest, PngLoadsAtItsOwnSizeWithNearestFilteringAndUnbinds) {
  std::string path = WritePng(Scratch("size.png"), 300, 200);
  TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
  ASSERT_NE(nullptr, texture);
  EXPECT_STREQ(path.c_str(), texture->name);
  ASSERT_NE(0u, *texture->id);
  EXPECT_EQ(0, Binding());   // a load leaves no texture bound

  glBindTexture(GL_TEXTURE_2D, *texture->id);
  GLint width = 0, height = 0, minFilter = 0, magFilter = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(300, width);
  EXPECT_EQ(200, height);
  EXPECT_EQ(GL_NEAREST, minFilter);
  EXPECT_EQ(GL_NEAREST, magFilter);
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, ImageIsDrawnUprightAndUnmirrored) {
  std::string path = WritePng(Scratch("quadrants.png"), 300, 200);
  TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
  StartTextureFrame();
  TNGfxTextureSet(texture, 0, 0);
  DrawQuadAt(quad_, 0, 0, 300, 200);
  // The quad spans window pixels 250..549 by 200..399.
  EXPECT_PIXEL_NEAR(ReadWindowPixel(300, 250), 255, 0, 0, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(500, 250), 0, 255, 0, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(300, 350), 0, 0, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(500, 350), 255, 255, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(250, 200), 255, 0, 0, 0);    // the corners are the image's
  EXPECT_PIXEL_NEAR(ReadWindowPixel(549, 399), 255, 255, 255, 0);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(249, 300), 0, 0, 0, 0);      // and nothing spills over
  TNSysFrameEnd();
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, JpegLoadsAtItsOwnSize) {
  std::string path = Scratch("photo.jpg");
  SDL_Surface* image = MakeImage(160, 90, [](int x, int y) { return Quadrants(x, y, 160, 90); });
  ASSERT_EQ(0, IMG_SaveJPG(image, path.c_str(), 95)) << IMG_GetError();
  SDL_FreeSurface(image);
  TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
  StartTextureFrame();
  TNGfxTextureSet(texture, 0, 0);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(160, width);
  EXPECT_EQ(90, height);
  DrawQuadAt(quad_, 0, 0, 160, 90);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(330, 270), 255, 0, 0, 12);   // lossy, but the right way up
  EXPECT_PIXEL_NEAR(ReadWindowPixel(470, 330), 255, 255, 255, 12);
  TNSysFrameEnd();
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, NamesUpTo255CharactersLoadLongerOnesGiveNull) {
  std::string prefix = ScratchPath("");
  std::string name255 = prefix + std::string(255 - prefix.size() - 4, 'n') + ".png";
  ASSERT_EQ(255u, name255.size());
  files_.push_back(WritePng(name255, 8, 8));
  TNGfxTexture* texture = TNGfxTextureLoad(name255.c_str());
  ASSERT_NE(nullptr, texture);
  EXPECT_EQ(name255, texture->name);
  EXPECT_NE(0u, *texture->id);
  TNGfxTextureUnload(texture);

  std::string name256 = prefix + std::string(256 - prefix.size() - 4, 'n') + ".png";
  EXPECT_EQ(nullptr, TNGfxTextureLoad(name256.c_str()));
}

TEST_F(TextureTest, OffsetsAboveOneFoldBackOthersStay) {
  const unsigned char texel[4] = {255, 255, 255, 255};
  TNGfxTexture* texture = TNGfxTextureLoadFromMemory(texel, 1, 1);
  StartTextureFrame();
  TNGfxTextureSet(texture, 2.5f, 0.0f);
  ExpectOffset(0.5f, 0.0f);
  TNGfxTextureSet(texture, -0.25f, 1.0f);
  ExpectOffset(-0.25f, 1.0f);
  TNGfxTextureSet(texture, 3.0f, 1.75f);   // whole numbers stop at 1, not 0
  ExpectOffset(1.0f, 0.75f);
  // Subtracting 1 from 1e9 changes nothing in float: this must still return.
  TNGfxTextureSet(texture, 1e9f, 0.0f);
  ExpectOffset(1.0f, 0.0f);
  EXPECT_EQ(static_cast<GLint>(*texture->id), Binding());
  TNGfxTextureSet(nullptr, 0.75f, 0.0f);
  EXPECT_EQ(0, Binding());
  ExpectOffset(1.0f, 0.0f);   // a null texture leaves the uniforms alone
  TNSysFrameEnd();
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, HalfTransparentTexelCoversTheBackgroundByItsAlpha) {
  const unsigned char texel[4] = {255, 255, 255, 128};
  TNGfxTexture* texture = TNGfxTextureLoadFromMemory(texel, 1, 1);
  StartTextureFrame();
  TNGfxTextureSet(texture, 0, 0);
  DrawQuadAt(quad_, 0, 0, 100, 100);
  EXPECT_PIXEL_NEAR(ReadWindowPixel(400, 300), 128, 128, 128, 1);
  TNSysFrameEnd();
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, MemoryPixelsAreUploadedAsGiven) {
  const unsigned char pixels[16] = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 40};
  TNGfxTexture* texture = TNGfxTextureLoadFromMemory(pixels, 2, 2);
  EXPECT_STREQ("", texture->name);
  glBindTexture(GL_TEXTURE_2D, *texture->id);
  unsigned char readBack[16] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, readBack);
  EXPECT_EQ(0, memcmp(pixels, readBack, sizeof pixels));
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, MissingOrBrokenFilesGiveATextureWithoutImage) {
  std::string missing = ScratchPath("missing.png");
  std::string notAnImage = WriteBytes(Scratch("text.png"), "hello, this is no picture");
  std::string truncated = WriteBytes(Scratch("cut.png"), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
  for (const std::string& path : {missing, notAnImage, truncated}) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
    std::string printed = testing::internal::GetCapturedStdout();
    std::string said = testing::internal::GetCapturedStderr();
    ASSERT_NE(nullptr, texture) << path;
    EXPECT_EQ(0u, *texture->id) << path;
    EXPECT_STREQ(path.c_str(), texture->name);
    EXPECT_EQ("", printed);
    EXPECT_NE(std::string::npos, said.find(path)) << said;
    EXPECT_EQ(1, std::count(said.begin(), said.end(), '\n')) << said;

    // Drawing it is an untextured quad, not a GL error.
    StartTextureFrame();
    TNGfxTextureSet(texture, 0, 0);
    EXPECT_EQ(0, Binding());
    DrawQuadAt(quad_, 0, 0, 100, 100);
    TNSysFrameEnd();
    TNGfxTextureUnload(texture);
  }
  TNGfxTextureUnload(nullptr);
}

}  // namespace
