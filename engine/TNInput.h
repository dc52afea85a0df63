#ifndef TN_INPUT_H
#define TN_INPUT_H
/*
 * Polled keyboard and mouse input by virtual-key code: letters 65..90,
 * digits 48..57, Enter 13 (either Enter key), Escape 27, Space 32,
 * Backspace 8, Delete 46, Tab 9, arrows 37..40, Shift 16, Control 17,
 * Alt 18, the numeric keypad's digits 96..105, F1..F12 112..123,
 * mouse buttons left 1, right 2, middle 4. One code is no key: 7 reads as
 * down while the window is in the background (its focus lost, or
 * minimised), so that a session journal records and replays it like a key.
 *
 * TNInputUpdate takes one snapshot per frame; every query in the frame
 * answers from it. A press that went down and up between two updates still
 * reads as down in one snapshot, so it triggers exactly once. The cursor is
 * turned into logical pixels when the snapshot is taken, so a full-screen
 * switch in the middle of a frame cannot change what the frame sees.
 */
/* Key codes by name. Letters and digits are their upper-case ASCII codes. */
enum TNKeyCode {
  TN_MOUSE_LEFT = 1, TN_MOUSE_RIGHT = 2, TN_MOUSE_MIDDLE = 4,
  TN_KEY_BACKGROUND = 7,
  TN_KEY_BACKSPACE = 8, TN_KEY_TAB = 9, TN_KEY_RETURN = 13,
  TN_KEY_SHIFT = 16, TN_KEY_CONTROL = 17, TN_KEY_ALT = 18,
  TN_KEY_ESCAPE = 27, TN_KEY_SPACE = 32,
  TN_KEY_LEFT = 37, TN_KEY_UP = 38, TN_KEY_RIGHT = 39, TN_KEY_DOWN = 40,
  TN_KEY_DELETE = 46,
  TN_KEY_0 = '0', TN_KEY_1, TN_KEY_2, TN_KEY_3, TN_KEY_4,
  TN_KEY_5, TN_KEY_6, TN_KEY_7, TN_KEY_8, TN_KEY_9,
  TN_KEY_A = 'A', TN_KEY_B, TN_KEY_C, TN_KEY_D, TN_KEY_E, TN_KEY_F, TN_KEY_G,
  TN_KEY_H, TN_KEY_I, TN_KEY_J, TN_KEY_K, TN_KEY_L, TN_KEY_M, TN_KEY_N,
  TN_KEY_O, TN_KEY_P, TN_KEY_Q, TN_KEY_R, TN_KEY_S, TN_KEY_T, TN_KEY_U,
  TN_KEY_V, TN_KEY_W, TN_KEY_X, TN_KEY_Y, TN_KEY_Z,
  TN_KEY_NUMPAD_0 = 96, TN_KEY_NUMPAD_1, TN_KEY_NUMPAD_2, TN_KEY_NUMPAD_3,
  TN_KEY_NUMPAD_4, TN_KEY_NUMPAD_5, TN_KEY_NUMPAD_6, TN_KEY_NUMPAD_7,
  TN_KEY_NUMPAD_8, TN_KEY_NUMPAD_9,
  TN_KEY_F1 = 112, TN_KEY_F2, TN_KEY_F3, TN_KEY_F4, TN_KEY_F5, TN_KEY_F6,
  TN_KEY_F7, TN_KEY_F8, TN_KEY_F9, TN_KEY_F10, TN_KEY_F11, TN_KEY_F12
};

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

/* One frame's snapshot: everything the game learns from the devices. */
typedef struct TNInputSample {
  unsigned char keys[256];   /* 0x80 while down (or pressed since the last snapshot), else 0 */
  int cursorX, cursorY;      /* logical window pixels */
  int cursorDeltaX, cursorDeltaY;
} TNInputSample;
/* Sees every snapshot before the game does and may rewrite it: a session
 * journal records it, or puts the recorded one in its place. Null: none. */
typedef void (*TNInputSampleHook)(TNInputSample* sample);
TN_API void TNInputSetSampleHook(TNInputSampleHook hook);

#endif
