// Textures: decoding, orientation, size, offsets and broken files.
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "GLTestWindow.h"
#include "TempTree.h"

static GLint Bound() {
  GLint texture = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  return texture;
}

class TextureTest : public GLTestWindow {
 protected:
  std::string Scratch(const std::string& name) const { return scratch_.path + "/" + name; }
  const TempDir scratch_;
};

TEST_F(TextureTest, ImagesLoadAtTheirSizeWithNearestFilteringAndDrawUprightAndUnmirrored) {
  // Red, green / blue, white quadrants: any flip or swap shows.
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 300, 200, 32, SDL_PIXELFORMAT_ARGB8888);
  const Uint32 colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
  for (int i = 0; i < 300 * 200; ++i)
    static_cast<Uint32*>(image->pixels)[i] = colours[2 * (i >= 300 * 100) + (i % 300 >= 150)];
  const std::string png = Scratch("quadrants.png"), jpg = Scratch("quadrants.jpg");
  ASSERT_TRUE(IMG_SavePNG(image, png.c_str()) == 0 && IMG_SaveJPG(image, jpg.c_str(), 95) == 0) << IMG_GetError();
  SDL_FreeSurface(image);
  for (const std::string& path : {png, jpg}) {
    const int tolerance = path == png ? 0 : 12;  // JPEG is lossy, but must be the right way up
    TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
    ASSERT_NE(nullptr, texture);
    EXPECT_STREQ(path.c_str(), texture->name);
    EXPECT_EQ(0, Bound()) << "a load leaves no texture bound";
    StartFrame(2, 0, 0, 0);
    TNGfxTextureSet(texture, 0, 0);
    GLint state[4] = {0, 0, 0, 0};
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &state[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &state[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &state[2]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &state[3]);
    EXPECT_EQ(std::vector<GLint>({300, 200, GL_NEAREST, GL_NEAREST}), std::vector<GLint>(state, state + 4));
    DrawQuadAt(Quad(0xFFFFFFFFu), 0, 0, 300, 200);  // window pixels 250..549 by 200..399
    SCOPED_TRACE(path);  // the quadrants, and the corners are the image's
    ExpectPixels({{300, 250, kRed}, {500, 250, kGreen}, {300, 350, kBlue}, {500, 350, kWhite}, {250, 200, kRed},
                  {549, 399, kWhite}}, tolerance);
    ExpectPixels({{249, 300, kBlack}});  // nothing spills over
    TNSysFrameEnd();
    TNGfxTextureUnload(texture);
  }
}

TEST_F(TextureTest, NamesUpTo255CharactersLoadLongerOnesGiveNull) {
  const std::string prefix = Scratch(""), name = prefix + std::string(255 - prefix.size() - 4, 'n') + ".png";
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_EQ(0, IMG_SavePNG(image, name.c_str()));
  SDL_FreeSurface(image);
  TNGfxTexture* texture = TNGfxTextureLoad(name.c_str());
  ASSERT_TRUE(texture != nullptr && name == texture->name && *texture->id != 0u);
  TNGfxTextureUnload(texture);
  EXPECT_EQ(nullptr, TNGfxTextureLoad((prefix + std::string(256 - prefix.size() - 4, 'n') + ".png").c_str()));
}

TEST_F(TextureTest, MemoryPixelsUploadAsGivenOffsetsAboveOneFoldBackToAtMostOneANullTextureUnbinds) {
  // Top row: red, half-transparent white; bottom row: invisible blue, anything.
  const unsigned char pixels[16] = {255, 0, 0, 255, 255, 255, 255, 128, 0, 0, 255, 0, 10, 20, 30, 40};
  TNGfxTexture* texture = TNGfxTextureLoadFromMemory(pixels, 2, 2);
  StartFrame(2, 0, 0, 0);
  TNGfxTextureSet(texture, 0, 0);
  unsigned char readBack[16] = {};
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, readBack);
  EXPECT_EQ(0, memcmp(pixels, readBack, sizeof pixels));
  DrawQuadAt(Quad(), 0, 0, 100, 100);
  ExpectPixels({{375, 275, kRed}, {425, 275, 0x808080}, {375, 325, kBlack}}, 1);
  // 1e9 - 1 is 1e9 in float: repeated subtraction would never return.
  const float cases[][4] = {{2.5f, 0, 0.5f, 0}, {-0.25f, 1, -0.25f, 1}, {3, 1.75f, 1, 0.75f}, {1e9f, 0, 1, 0}};
  for (const auto& c : cases) {
    TNGfxTextureSet(texture, c[0], c[1]);
    EXPECT_EQ(std::vector<float>({c[2], c[3]}), UniformValues("uTextureOffset", 2)) << c[0] << ", " << c[1];
  }
  EXPECT_EQ(static_cast<GLint>(*texture->id), Bound());
  TNGfxTextureSet(nullptr, 0.75f, 0);
  EXPECT_EQ(0, Bound());
  EXPECT_EQ(std::vector<float>({1, 0}), UniformValues("uTextureOffset", 2)) << "a null texture sets no offset";
  TNGfxTextureUnload(texture);
}

TEST_F(TextureTest, MissingOrCorruptFilesGiveATextureWithoutImageAndOneLineOnStderr) {
  const std::string paths[3] = {Scratch("missing.png"), Scratch("text.png"), Scratch("cut.png")};
  scratch_.Write("text.png", "hello, this is no picture");
  scratch_.Write("cut.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
  for (int i = 0; i < 3; ++i) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TNGfxTexture* texture = TNGfxTextureLoad(paths[i].c_str());
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_NE(nullptr, texture) << paths[i];
    EXPECT_EQ(0u, *texture->id) << paths[i];
    EXPECT_STREQ(paths[i].c_str(), texture->name);
    EXPECT_TRUE(said.find(paths[i]) != std::string::npos && std::count(said.begin(), said.end(), '\n') == 1) << said;
    StartFrame(2, 0, 0, 0);  // drawing it is an untextured quad, not a GL error
    TNGfxTextureSet(texture, 0, 0);
    EXPECT_EQ(0, Bound());
    DrawQuadAt(Quad(), 0, 0, 100, 100);
    TNSysFrameEnd();
    TNGfxTextureUnload(texture);
  }
  TNGfxTextureUnload(nullptr);
}

