// Input: one keyboard/mouse snapshot per frame, so every query within a frame
// gives the same answer.
#include "TNInput.h"

#include <cstring>

#include "TNEngineInternal.h"
#include "TNSystem.h"
#include "platform/TNPlatform.h"

static const unsigned char kDownBit = 0x80;

static TNInputSample sCurrent;
static unsigned char sPreviousKeys[256];
// The cursor in window pixels as the platform last reported it: deltas are
// taken there, before the full-screen scale.
static int sScreenCursorX = 0;
static int sScreenCursorY = 0;
static TNInputSampleHook sSampleHook = nullptr;

int TNInputInit(void) { return 1; }

void TNInputReset(void) {
  memset(&sCurrent, 0, sizeof sCurrent);
  memset(sPreviousKeys, 0, sizeof sPreviousKeys);
  sScreenCursorX = 0;
  sScreenCursorY = 0;
}

void TNInputSetSampleHook(TNInputSampleHook hook) { sSampleHook = hook; }

static void SampleKeys() {
  TNPlatTakeKeySnapshot(sCurrent.keys);
  for (unsigned char& key : sCurrent.keys) key &= kDownBit;
  sCurrent.keys[TN_KEY_BACKGROUND] = TNSysIsInBackground() ? kDownBit : 0;
}

static void SampleCursor() {
  int x = 0;
  int y = 0;
  TNPlatCursorPosition(&x, &y);
  sCurrent.cursorDeltaX = x - sScreenCursorX;
  sCurrent.cursorDeltaY = y - sScreenCursorY;
  sScreenCursorX = x;
  sScreenCursorY = y;
  sCurrent.cursorX = x;
  sCurrent.cursorY = y;
  TNSysScreenToLogical(&sCurrent.cursorX, &sCurrent.cursorY);
  TNSysScreenToLogical(&sCurrent.cursorDeltaX, &sCurrent.cursorDeltaY);
}

void TNInputUpdate(void) {
  memcpy(sPreviousKeys, sCurrent.keys, sizeof sPreviousKeys);
  SampleKeys();
  SampleCursor();
  if (sSampleHook) sSampleHook(&sCurrent);
}

void TNInputExit(void) {}

unsigned char TNInputCheckCurr(unsigned char key) { return (sCurrent.keys[key] & kDownBit) ? 1 : 0; }

unsigned char TNInputCheckPrev(unsigned char key) { return (sPreviousKeys[key] & kDownBit) ? 1 : 0; }

unsigned char TNInputCheckTriggered(unsigned char key) {
  return (sCurrent.keys[key] & ~sPreviousKeys[key] & kDownBit) ? 1 : 0;
}

unsigned char TNInputCheckReleased(unsigned char key) {
  return (sPreviousKeys[key] & ~sCurrent.keys[key] & kDownBit) ? 1 : 0;
}

void TNInputGetCursorPosition(int* x, int* y) {
  if (x) *x = sCurrent.cursorX;
  if (y) *y = sCurrent.cursorY;
}

void TNInputGetCursorPositionDelta(int* dx, int* dy) {
  if (dx) *dx = sCurrent.cursorDeltaX;
  if (dy) *dy = sCurrent.cursorDeltaY;
}

int TNInputShowCursor(int show) { return TNPlatShowCursor(show != 0); }
