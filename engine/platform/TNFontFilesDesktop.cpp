// Desktop font lookup: the installed face fontconfig matches to the request.
#include "TNFontFiles.h"

#include <fontconfig/fontconfig.h>

namespace {

const int kWeightBold = 700;
const int kWeightNotBold = 100;

FcPattern* RequestPattern(const char* faceName, int size, bool bold, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  if (faceName) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(bold ? kWeightBold : kWeightNotBold));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, size);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

}  // namespace

bool TNPlatFindFontFace(const char* faceName, int size, bool bold, bool italic, TNFontFace* face) {
  if (!FcInit()) return false;
  FcPattern* pattern = RequestPattern(faceName, size, bold, italic);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* file = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
  if (found) {
    face->file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &face->index);
    FcBool embolden = FcFalse;
    FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
    face->embolden = embolden == FcTrue;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    face->slant = italic && slant == FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return found;
}
