#ifndef SORCA_TEXT_PRINTER_H
#define SORCA_TEXT_PRINTER_H
/*
 * TextPrinter: owns one engine bitmap font for as long as it lives.
 */

class TextPrinter {
 public:
  enum DebugFontTag { DebugFont };

  /* Creates no font (font id 0). */
  TextPrinter();
  /* Creates the debug font: Times New Roman, 20, bold. */
  explicit TextPrinter(DebugFontTag);
  /* Destroys the font, also the id 0 of a printer that created none. */
  ~TextPrinter();

  unsigned int GetFontId() const;

  TextPrinter(const TextPrinter&) = delete;
  TextPrinter& operator=(const TextPrinter&) = delete;

 protected:
  unsigned int fontId;
  char textBuffer[1024];
};

#endif
