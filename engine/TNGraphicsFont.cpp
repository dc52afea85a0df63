// Fonts: faces found by the platform (fontconfig on the desktop), rasterised
// by FreeType into one texture per font, and printed as textured quads
// through the texture program. A font id still names a block of 96 ids, one
// per code 32..127, so ids stay unique and consecutive.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "TNEngineInternal.h"
#include "TNGraphics.h"
#include "TNSystem.h"
#include "platform/TNFontFiles.h"
#include "platform/TNGL.h"

namespace {

const int kFirstCode = 32;
const int kGlyphCount = 96;
const int kAtlasColumns = 16;
const int kAtlasRows = kGlyphCount / kAtlasColumns;
const int kGlyphPadding = 1;   // keeps linear filtering from bleeding between cells
const float kOneThird = 0.33333334f;

struct Glyph {
  int atlasX, atlasY, width, height;   // cell in the atlas, rows top first
  int left, top;                       // bitmap offset from the pen, y up
  int advance;
};

struct FontAtlas {
  GLuint texture = 0;
  int width = 0;
  int height = 0;
  Glyph glyphs[kGlyphCount] = {};
};

std::map<unsigned int, FontAtlas> sFonts;
FT_Library sFreeType = nullptr;

/* ---- Finding and rasterising the face */

bool StartFontLibraries() {
  if (!sFreeType && FT_Init_FreeType(&sFreeType) != 0) {
    sFreeType = nullptr;
    return false;
  }
  return true;
}

/* Renders one character into the glyph slot, synthesising bold or italic
 * when the installed family lacks that style. */
bool RenderGlyph(FT_Face face, const TNFontFace& request, int code) {
  if (FT_Load_Char(face, code, FT_LOAD_DEFAULT) != 0) return false;
  if (request.embolden) FT_GlyphSlot_Embolden(face->glyph);
  if (request.slant) FT_GlyphSlot_Oblique(face->glyph);
  return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0;
}

/* White texels whose alpha is the glyph's coverage, so the blend colour
 * alone decides the colour of the text. */
void CopyCoverage(const FT_Bitmap& bitmap, std::vector<unsigned char>& pixels, int atlasWidth, int x, int y) {
  for (unsigned int row = 0; row < bitmap.rows; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
    for (unsigned int column = 0; column < bitmap.width; ++column) {
      unsigned char* texel = &pixels[4 * ((y + row) * static_cast<size_t>(atlasWidth) + x + column)];
      texel[0] = texel[1] = texel[2] = 255;
      texel[3] = source[column];
    }
  }
}

GLuint UploadAtlas(const std::vector<unsigned char>& pixels, int width, int height) {
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return texture;
}

/* Every glyph gets a cell of the largest glyph's size in a 16 x 6 grid. */
bool BuildAtlas(FT_Face face, const TNFontFace& request, FontAtlas* atlas) {
  int cellWidth = 1;
  int cellHeight = 1;
  for (int k = 0; k < kGlyphCount; ++k) {
    if (!RenderGlyph(face, request, kFirstCode + k)) continue;
    cellWidth = std::max(cellWidth, static_cast<int>(face->glyph->bitmap.width) + kGlyphPadding);
    cellHeight = std::max(cellHeight, static_cast<int>(face->glyph->bitmap.rows) + kGlyphPadding);
  }
  atlas->width = cellWidth * kAtlasColumns;
  atlas->height = cellHeight * kAtlasRows;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (atlas->width > maxSize || atlas->height > maxSize) return false;
  std::vector<unsigned char> pixels(4 * static_cast<size_t>(atlas->width) * atlas->height, 0);
  for (int k = 0; k < kGlyphCount; ++k) {
    Glyph& glyph = atlas->glyphs[k];
    glyph.atlasX = (k % kAtlasColumns) * cellWidth;
    glyph.atlasY = (k / kAtlasColumns) * cellHeight;
    // The delete code (127) is no character; it keeps an empty cell.
    if (kFirstCode + k == 127 || !RenderGlyph(face, request, kFirstCode + k)) continue;
    const FT_GlyphSlot slot = face->glyph;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->bitmap.pitch > 0) CopyCoverage(slot->bitmap, pixels, atlas->width, glyph.atlasX, glyph.atlasY);
  }
  atlas->texture = UploadAtlas(pixels, atlas->width, atlas->height);
  return true;
}

bool RasteriseFont(const char* faceName, int size, bool bold, bool italic, FontAtlas* atlas) {
  if (size <= 0 || !StartFontLibraries()) return false;
  TNFontFace request;
  if (!TNPlatFindFontFace(faceName, size, bold, italic, &request)) return false;
  FT_Face face = nullptr;
  if (FT_New_Face(sFreeType, request.file.c_str(), request.index, &face) != 0) return false;
  bool built = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) == 0 && BuildAtlas(face, request, atlas);
  FT_Done_Face(face);
  return built;
}

/* ---- Printing */

/* Text may start up to one window left of and one window below the visible
 * area, so that long strings reaching in from there still show. */
bool IsWithinPrintArea(int x, int y) {
  int width = TNGetWindowWidth();
  int height = TNGetWindowHeight();
  float camX = 0.0f;
  float camY = 0.0f;
  TNGfxGetCamPosition(&camX, &camY);
  int left = static_cast<int>(static_cast<float>(-(width / 2)) + camX + 1.0f);
  int right = static_cast<int>(static_cast<float>(width / 2) + camX - 1.0f);
  int bottom = static_cast<int>(static_cast<float>(-(height / 2)) + camY + 1.0f);
  int top = static_cast<int>(static_cast<float>(height / 2) + camY - 1.0f);
  return !(x < left - width || x > right || y < bottom - height || y > top);
}

/* What a print changes besides the blend colour, so that it can be put back. */
struct SavedState {
  int callerProgram;
  GLint boundTexture;
  GLboolean blending;
  GLint blendSourceRgb, blendDestRgb, blendSourceAlpha, blendDestAlpha;
  float tint[4];
  float transparency;
  float offset[2];
};

bool ReadUniform(const char* name, float* values) {
  GLint program = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  GLint location = TNGfxUniformLocation(name);
  if (program == 0 || location < 0) return false;
  glGetUniformfv(static_cast<GLuint>(program), location, values);
  return true;
}

void SetUniform(const char* name, int count, const float* values) {
  GLint location = TNGfxUniformLocation(name);
  if (location < 0) return;
  if (count == 1) glUniform1f(location, values[0]);
  if (count == 2) glUniform2f(location, values[0], values[1]);
  if (count == 4) glUniform4f(location, values[0], values[1], values[2], values[3]);
}

void SaveBlending(SavedState* saved) {
  saved->blending = glIsEnabled(GL_BLEND);
  glGetIntegerv(GL_BLEND_SRC_RGB, &saved->blendSourceRgb);
  glGetIntegerv(GL_BLEND_DST_RGB, &saved->blendDestRgb);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &saved->blendSourceAlpha);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &saved->blendDestAlpha);
  // Glyph edges are coverage in alpha; without blending a glyph would be a box.
  if (!saved->blending) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
}

void RestoreBlending(const SavedState& saved) {
  glBlendFuncSeparate(saved.blendSourceRgb, saved.blendDestRgb, saved.blendSourceAlpha, saved.blendDestAlpha);
  if (!saved.blending) glDisable(GL_BLEND);
}

/* Glyphs are drawn by the texture program. The text keeps the tint and
 * transparency of the program the caller was using. */
SavedState EnterTextDrawing(const FontAtlas& atlas) {
  SavedState saved = {};
  saved.callerProgram = TNGfxCurrentProgram();
  float callerTint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float callerTransparency = 1.0f;
  ReadUniform("uTintColor", callerTint);
  ReadUniform("uTransparencyValue", &callerTransparency);
  TNGfxSetRenderMode(2);
  ReadUniform("uTintColor", saved.tint);
  ReadUniform("uTransparencyValue", &saved.transparency);
  ReadUniform("uTextureOffset", saved.offset);
  SetUniform("uTintColor", 4, callerTint);
  SetUniform("uTransparencyValue", 1, &callerTransparency);
  const float noOffset[2] = {0.0f, 0.0f};
  SetUniform("uTextureOffset", 2, noOffset);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.boundTexture);
  glBindTexture(GL_TEXTURE_2D, atlas.texture);
  GLint sampler = TNGfxUniformLocation("uTexture");
  if (sampler >= 0) glUniform1i(sampler, 0);
  SaveBlending(&saved);
  return saved;
}

void LeaveTextDrawing(const SavedState& saved) {
  RestoreBlending(saved);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.boundTexture));
  SetUniform("uTintColor", 4, saved.tint);
  SetUniform("uTransparencyValue", 1, &saved.transparency);
  SetUniform("uTextureOffset", 2, saved.offset);
  if (saved.callerProgram == 2) return;
  TNGfxSetRenderMode(saved.callerProgram);
  // The caller's program ends the print as the texture program does.
  TNGfxSetPosition(0.0f, 0.0f);
  if (saved.callerProgram != 0) TNGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void AddGlyphQuad(const FontAtlas& atlas, const Glyph& glyph, float penX, float baseY,
                  std::vector<float>& positions, std::vector<float>& coordinates) {
  float left = penX + static_cast<float>(glyph.left);
  float right = left + static_cast<float>(glyph.width);
  float top = baseY + static_cast<float>(glyph.top);
  float bottom = top - static_cast<float>(glyph.height);
  float u0 = static_cast<float>(glyph.atlasX) / static_cast<float>(atlas.width);
  float u1 = static_cast<float>(glyph.atlasX + glyph.width) / static_cast<float>(atlas.width);
  float v0 = static_cast<float>(glyph.atlasY) / static_cast<float>(atlas.height);
  float v1 = static_cast<float>(glyph.atlasY + glyph.height) / static_cast<float>(atlas.height);
  const float corners[6][4] = {{left, bottom, u0, v1}, {right, bottom, u1, v1}, {left, top, u0, v0},
                               {right, bottom, u1, v1}, {right, top, u1, v0}, {left, top, u0, v0}};
  for (const auto& corner : corners) {
    positions.insert(positions.end(), {corner[0], corner[1], 0.0f});
    coordinates.insert(coordinates.end(), {corner[2], corner[3]});
  }
}

/* Codes outside 32..127 have no glyph and, like a missing display list,
 * neither draw nor move the pen. */
void DrawText(const FontAtlas& atlas, const char* text, int x, int y) {
  std::vector<float> positions;
  std::vector<float> coordinates;
  float penX = static_cast<float>(x);
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    if (*c < kFirstCode || *c >= kFirstCode + kGlyphCount) continue;
    const Glyph& glyph = atlas.glyphs[*c - kFirstCode];
    if (glyph.width > 0 && glyph.height > 0) {
      AddGlyphQuad(atlas, glyph, penX, static_cast<float>(y), positions, coordinates);
    }
    penX += static_cast<float>(glyph.advance);
  }
  GLint position = TNGfxAttribLocation("aPosition");
  GLint coordinate = TNGfxAttribLocation("aTextureCoordinate");
  if (positions.empty() || position < 0 || coordinate < 0) return;
  const int vertices = static_cast<int>(positions.size() / 3);
  TNGfxStreamAttribute(0, position, 3, positions.data(), vertices);
  TNGfxStreamAttribute(1, coordinate, 2, coordinates.data(), vertices);
  glDrawArrays(GL_TRIANGLES, 0, vertices);
  glDisableVertexAttribArray(coordinate);
  glDisableVertexAttribArray(position);
}

/* The view for a viewport three windows wide and high, centred on the
 * window, so that world units keep their pixel size. */
void EnlargeViewport(float scaleX, float scaleY) {
  float width = static_cast<float>(TNGetWindowWidth());
  float height = static_cast<float>(TNGetWindowHeight());
  glViewport(static_cast<int>(-width * scaleX), static_cast<int>(-height * scaleY),
             static_cast<int>(3.0f * width * scaleX), static_cast<int>(3.0f * height * scaleY));
  TNGfxUploadView(scaleX * kOneThird, scaleY * kOneThird);
}

void RestoreViewport(float scaleX, float scaleY) {
  glViewport(0, 0, static_cast<int>(static_cast<float>(TNGetWindowWidth()) * scaleX),
             static_cast<int>(static_cast<float>(TNGetWindowHeight()) * scaleY));
  TNGfxUploadView(scaleX, scaleY);
}

}  // namespace

unsigned int TNGfxCreateFont(const char* faceName, int size, bool bold, bool italic) {
  unsigned int first = TNPlatReserveFontIds(kGlyphCount);
  if (first == 0) return 0;
  FontAtlas atlas;
  if (RasteriseFont(faceName, size, bold, italic, &atlas)) {
    sFonts[first] = atlas;
  } else {
    fprintf(stderr, "Font: no usable font for \"%s\" at %d pixels; its text will not show\n",
            faceName ? faceName : "", size);
  }
  return first;
}

void TNGfxPrint(unsigned int fontId, const char* text, int x, int y, float r, float g, float b) {
  if (!text || !IsWithinPrintArea(x, y)) return;
  auto found = sFonts.find(fontId);
  if (found == sFonts.end()) return;
  // The text is printed as it stands: a '%' in it is just a character.
  char buffer[256];
  strncpy(buffer, text, sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';

  float scaleX = 1.0f;
  float scaleY = 1.0f;
  TNSysGetScale(&scaleX, &scaleY);
  SavedState saved = EnterTextDrawing(found->second);
  EnlargeViewport(scaleX, scaleY);
  TNGfxSetPosition(0.0f, 0.0f);
  TNGfxSetBlendColor(r, g, b, 1.0f);
  DrawText(found->second, buffer, x, y);
  TNGfxSetBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
  RestoreViewport(scaleX, scaleY);
  LeaveTextDrawing(saved);
}

void TNGfxDestroyFont(unsigned int fontId) {
  if (fontId == 0) return;
  auto found = sFonts.find(fontId);
  if (found != sFonts.end()) {
    glDeleteTextures(1, &found->second.texture);
    sFonts.erase(found);
  }
  TNPlatReleaseFontIds(fontId, kGlyphCount);
}
