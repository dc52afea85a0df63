#include "CountdownText.h"

#include "TNGraphics.h"

static const double kStartCount = 3600.0;

CountdownText::CountdownText() : TextPrinter(), countdown(kStartCount) {
  fontId = TNGfxCreateFont("Buxton Sketch", 50, true, false);
}

double CountdownText::GetCount() const { return countdown; }
void CountdownText::ResetCount() { countdown = kStartCount; }
void CountdownText::Tick() { countdown -= 1.0; }
bool CountdownText::IsOver() const { return 0.0 >= countdown; }
