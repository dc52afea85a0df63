#ifndef TN_FONT_FILES_H
#define TN_FONT_FILES_H
/*
 * Where a font's face lives: the desktop asks fontconfig for the installed
 * face nearest to the request; the browser has only the faces it ships.
 */
#include <string>

struct TNFontFace {
  std::string file;
  int index = 0;
  bool embolden = false;   // the family has no bold face: thicken the outlines
  bool slant = false;      // the family has no italic face: slant the outlines
};

/* False when no face can stand for the request. */
bool TNPlatFindFontFace(const char* faceName, int size, bool bold, bool italic, TNFontFace* face);

#endif
