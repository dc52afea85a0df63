// Browser font lookup: the page ships the faces the desktop's fontconfig
// picks for the game's fonts, under /fonts in its packed files. A serif
// family gets the serif face, anything else the sans one; a style the
// shipped faces lack is synthesised as fontconfig would.
#include "TNFontFiles.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const kFontFolder = "/fonts/";

bool IsSerifFamily(const char* faceName) {
  return faceName && (strstr(faceName, "Times") || strstr(faceName, "Serif") || strstr(faceName, "Georgia"));
}

bool FileExists(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file) fclose(file);
  return file != nullptr;
}

}  // namespace

bool TNPlatFindFontFace(const char* faceName, int size, bool bold, bool italic, TNFontFace* face) {
  const std::string family = IsSerifFamily(faceName) ? "LiberationSerif" : "DejaVuSans";
  face->file = kFontFolder + family + (bold ? "-Bold.ttf" : ".ttf");
  face->index = 0;
  face->slant = italic;
  face->embolden = false;
  if (!FileExists(face->file) && bold) {
    face->file = kFontFolder + family + ".ttf";
    face->embolden = true;
  }
  return FileExists(face->file);
}
