#ifndef SORCA_PLACES_H
#define SORCA_PLACES_H
/* What the tests share about the game's screens: where the player clicks (window pixels of the
 * 800 x 600 window, top-left origin), where the hero stands (world units, origin at the room's
 * centre), how many frames a transition takes, and a steady clock for runs that must not
 * depend on the machine's speed. One place each, so a moved button is mended once. */
#include "TNFrameRateController.h"

namespace places {

struct Point { int x, y; };

/* ---- Frames ---- */
const int kMenuFadeIn = 41;    // the menu's opening fade
const int kRoomFadeIn = 20;    // a room view or close-up, at 0.05 a frame
const int kLeaveFrames = 41;   // fade to black, loading animation, a frame to see it opaque

/* ---- The menu ---- */
const Point kMenuStart = {400, 250}, kMenuHelp = {400, 297}, kMenuOptions = {400, 347},
            kMenuCredits = {400, 397}, kMenuExit = {400, 447};

/* ---- The options panel: the same in the menu and both rooms ---- */
const Point kFullScreenBox = {520, 197}, kMuteBox = {520, 297}, kVolumeUp = {520, 410},
            kVolumeDown = {290, 410};

/* ---- Both rooms: the pause button, its panel, the end screens ---- */
const Point kPauseButton = {25, 20}, kPanelMenu = {370, 247}, kPanelRestart = {370, 297},
            kPanelOptions = {370, 347}, kPanelBack = {370, 397}, kReplay = {370, 325},
            kEndMenu = {370, 395};
/* A spot where nothing answers, in every room view and close-up. */
const Point kNowhere = {700, 560};

/* ---- The first room: close-up click spots, and where the hero stands ---- */
const Point kDrawerFront = {400, 350}, kPieces = {350, 335}, kPaintingFrame = {400, 300},
            kShelfItems = {475, 400};
const Point kAtDrawer = {90, -70}, kAtPainting = {146, 0}, kAtShelf = {-40, 20},
            kAtExit = {-132, -80};

/* ---- The second room ---- */
const Point kKey = {382, 306}, kTopDrawer = {395, 237}, kBottomDrawer = {400, 382},
            kTrophy = {430, 265}, kTrophyPlace = {347, 405}, kClockFace = {412, 310},
            kPowerButton = {605, 390};
/* The safe's keypad: digits 0 to 9, then Delete and Enter. */
const Point kKeypad[12] = {{502, 405}, {240, 337}, {302, 337}, {370, 337}, {440, 337},
                           {502, 337}, {240, 405}, {302, 405}, {370, 405}, {440, 405},
                           {569, 337}, {569, 405}};
const Point kKeypadDelete = kKeypad[10], kKeypadEnter = kKeypad[11];
const Point kAtSofa = {-180, 70}, kAtCabinet = {120, 70}, kAtComputer = {-14, 70},
            kAtTable = {-26, -114}, kAtPortrait = {234, 38}, kAtClock = {234, -80},
            kAtTrophies = {-236, -50}, kAtSecondExit = {206, 128}, kAtNothing = {-200, 0};

/* ---- A steady clock: 60 ticks a second, one tick a frame ---- */
inline unsigned long long& Ticks() {
  static unsigned long long ticks = 0;
  return ticks;
}
inline unsigned long long NextTick() { return ++Ticks(); }
inline unsigned long long SixtyTicksASecond() { return 60; }
/* Every frame then lasts exactly 1/60 s, however long the machine took. */
inline void UseSteadySixtyFramesASecond() {
  TNFrameRateControllerSetTimeSource(NextTick, SixtyTicksASecond);
}

}  // namespace places

#endif
