#ifndef SORCA_ROOM_CONTROLLER_H
#define SORCA_ROOM_CONTROLLER_H
/*
 * The logic inside a room level: which furniture the hero stands at, the
 * close-up views opened with E and left with Q, the clicks inside them, the
 * items they give and take, the captions, and the launch of a mini-game
 * (fade to black, loading animation, then the request for its state).
 *
 * It works on the objects the level published (RoomScene) and keeps the
 * room's progress in its flags, which die with the level; only the globals
 * of LevelProgress.h cross from one state to the next.
 */
#include "TextPrinter.h"

class RoomController {
 public:
  /* All flags clear; no spot is under the cursor. */
  RoomController();

  /* One frame of the first room. */
  void UpdateFirstRoom();
  /* One frame of the second room. */
  void UpdateSecondRoom();
  /* The spot the hero stands at (room view) or the cursor is over
   * (close-up views) in the published room; 0 for none. */
  int HotspotAt() const;
  /* The key of the safe's keypad at window pixel (x, y): a digit,
   * SecondRoom::kKeyDelete or SecondRoom::kKeyEnter; kNoKey for none. */
  static int KeypadKeyAt(int x, int y);
  static constexpr int kNoKey = -1;
  /* The keypad key a keyboard key (TNKeyCode) types: digits of the main
   * row and of the numeric keypad, Backspace or Delete, Enter; kNoKey for
   * any other. */
  static int KeypadKeyFor(int keyCode);
  /* The first room's captions and the clicks handled with them. */
  void UpdateFirstRoomCaptions();
  /* The second room's captions. */
  void UpdateSecondRoomCaptions();

  /* Second room progress and the safe's keypad. */
  unsigned char wandGiven;
  unsigned char wrongCode;
  int digitCount;

  unsigned char launchPending;
  int loadingFrame;
  float fadeLevel;
  TextPrinter textPrinter;
  TextPrinter debugText;

  /* First room progress. */
  unsigned char piecesTaken;
  unsigned char spellsTaken;
  unsigned char puzzleSolved;

  /* Second room progress. */
  unsigned char trophyPlaced;
  unsigned char keyTaken;
  unsigned char drawerCaptionDone;
  unsigned char safeOpened;
  unsigned char ringsSolved;
  unsigned char trophyTaken;
  unsigned char mazeSolved;

 private:
  bool RunLaunch();
  void TakeUpSolvedPuzzle();
  void HandleFirstRoomKeys(int spot);
  void HandleFirstRoomCloseUp(int view, int spot);
  void UpdatePaintingView(int spot);
  void UpdateBookShelfView(int spot);
  void RunKeypad();
  void PressKeypadKey(int key);
  void TypeDigit(int digit);
  void DeleteDigit();
  void EnterCode();
  bool SafeCodeShown() const;
  bool TakeUpMiniGame();
  bool HeroLeftStart() const;
  void HandleLoungeKeys(int spot);
  void HandleSecondRoomCloseUp(int view, int spot);
  bool OpenSafeAt(int spot);
  void UpdateLoungeCaption();
  /* Shows view with a fade-in; only one view change is taken per frame. */
  void OpenView(int view);
  int View() const;
  int Caption() const;
  void ShowCaption(int caption);
  bool AddItem(int kind);
  void RemoveItem(int kind);

  /* A view was opened this frame: its clicks wait for the next frame. */
  bool viewOpened;
};

#endif
