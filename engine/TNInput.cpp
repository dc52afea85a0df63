// Input: one keyboard/mouse snapshot per frame, so every query within a frame
// gives the same answer.
#include "TNInput.h"

#include <cstring>

#include "TNEngineInternal.h"
#include "platform/TNPlatform.h"

static const unsigned char kDownBit = 0x80;

static unsigned char sCurrentKeys[256];
static unsigned char sPreviousKeys[256];
static int sCursorX = 0;
static int sCursorY = 0;
static int sCursorDeltaX = 0;
static int sCursorDeltaY = 0;

int TNInputInit(void) { return 1; }

void TNInputReset(void) {
  memset(sCurrentKeys, 0, sizeof sCurrentKeys);
  memset(sPreviousKeys, 0, sizeof sPreviousKeys);
  sCursorX = 0;
  sCursorY = 0;
  sCursorDeltaX = 0;
  sCursorDeltaY = 0;
}

void TNInputUpdate(void) {
  memcpy(sPreviousKeys, sCurrentKeys, sizeof sCurrentKeys);
  TNPlatTakeKeySnapshot(sCurrentKeys);
  int x = 0;
  int y = 0;
  TNPlatCursorPosition(&x, &y);
  sCursorDeltaX = x - sCursorX;
  sCursorDeltaY = y - sCursorY;
  sCursorX = x;
  sCursorY = y;
}

void TNInputExit(void) {}

unsigned char TNInputCheckCurr(unsigned char key) { return (sCurrentKeys[key] & kDownBit) ? 1 : 0; }

unsigned char TNInputCheckPrev(unsigned char key) { return (sPreviousKeys[key] & kDownBit) ? 1 : 0; }

unsigned char TNInputCheckTriggered(unsigned char key) {
  return (sCurrentKeys[key] & ~sPreviousKeys[key] & kDownBit) ? 1 : 0;
}

unsigned char TNInputCheckReleased(unsigned char key) {
  return (sPreviousKeys[key] & ~sCurrentKeys[key] & kDownBit) ? 1 : 0;
}

void TNInputGetCursorPosition(int* x, int* y) {
  int logicalX = sCursorX;
  int logicalY = sCursorY;
  TNSysScreenToLogical(&logicalX, &logicalY);
  if (x) *x = logicalX;
  if (y) *y = logicalY;
}

void TNInputGetCursorPositionDelta(int* dx, int* dy) {
  int logicalX = sCursorDeltaX;
  int logicalY = sCursorDeltaY;
  TNSysScreenToLogical(&logicalX, &logicalY);
  if (dx) *dx = logicalX;
  if (dy) *dy = logicalY;
}

int TNInputShowCursor(int show) { return TNPlatShowCursor(show != 0); }
