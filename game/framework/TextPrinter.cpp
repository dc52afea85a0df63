#include "TextPrinter.h"

#include "TNGraphics.h"

TextPrinter::TextPrinter() : fontId(0), textBuffer() {}

TextPrinter::TextPrinter(DebugFontTag) : TextPrinter() {
  fontId = TNGfxCreateFont("Times New Roman", 20, true, false);
}

TextPrinter::~TextPrinter() { TNGfxDestroyFont(fontId); }

unsigned int TextPrinter::GetFontId() const { return fontId; }
