#ifndef TN_INPUT_H
#define TN_INPUT_H
/*
 * Polled keyboard and mouse input by virtual-key code: letters 65..90,
 * digits 48..57, Enter 13, Escape 27, Space 32, Backspace 8, Tab 9,
 * arrows 37..40, Shift 16, Control 17, Alt 18, F1..F12 112..123,
 * mouse buttons left 1, right 2, middle 4.
 *
 * TNInputUpdate takes one snapshot per frame; every query in the frame
 * answers from it. A press that went down and up between two updates still
 * reads as down in one snapshot, so it triggers exactly once.
 */
#ifndef TN_API
#define TN_API extern "C" __attribute__((visibility("default")))
#endif

TN_API int TNInputInit(void);        /* always 1 */
TN_API void TNInputReset(void);
TN_API void TNInputUpdate(void);
TN_API void TNInputExit(void);
TN_API unsigned char TNInputCheckCurr(unsigned char key);
TN_API unsigned char TNInputCheckPrev(unsigned char key);
TN_API unsigned char TNInputCheckTriggered(unsigned char key); /* went down this frame */
TN_API unsigned char TNInputCheckReleased(unsigned char key);  /* went up this frame */
/* Logical window pixels, origin top-left, y down; not clamped to the window. */
TN_API void TNInputGetCursorPosition(int* x, int* y);
TN_API void TNInputGetCursorPositionDelta(int* dx, int* dy);
/* Display counter: show increments, hide decrements; visible while >= 0. */
TN_API int TNInputShowCursor(int show);

#endif
