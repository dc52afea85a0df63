#ifndef SORCA_SECOND_ROOM_H
#define SORCA_SECOND_ROOM_H
/*
 * Numbers of the second room shared by its level and its room logic: the
 * views (the room's frames), the spots (standing places and click places),
 * the captions (the caption strip's frames) and the safe's keypad.
 */
namespace SecondRoom {

enum View {
  kViewLounge = 1,
  kViewPortrait = 2,
  kViewSofaWithKey = 3,
  kViewSofa = 4,
  kViewCabinet = 5,
  kViewTopDrawerOpen = 6,
  kViewBottomDrawerOpen = 7,
  kViewShelfMissingTrophy = 8,
  kViewShelfFull = 9,
  kViewClock = 10,
  kViewComputerOff = 11,
  kViewComputerOn = 12,
  kViewKeypad = 13,
  kViewSafeOpen = 14,
  kViewTable = 15,
  kViewEndScreen = 16,
};

enum Spot {
  kSpotNone = 0,
  /* Standing places in the lounge. */
  kSpotSofa = 1,
  kSpotCabinet = 2,
  kSpotTrophyShelf = 4,
  kSpotPortrait = 5,
  kSpotClock = 6,
  kSpotComputer = 7,
  kSpotTable = 8,
  kSpotExit = 13,
  /* Click places in the close-ups. */
  kSpotKey = 9,           /* sofa with the key */
  kSpotTrophy = 10,       /* top drawer open; the empty place on the shelf */
  kSpotTopDrawer = 11,    /* cabinet */
  kSpotBottomDrawer = 12, /* cabinet; bottom drawer open */
  kSpotClockFace = 6,     /* clock */
  kSpotPowerButton = 7,   /* computer, off */
};

enum Caption {
  kCaptionWelcome = 1,
  kCaptionPortrait = 2,
  kCaptionTrophyMissing = 3,
  kCaptionKeyInSofa = 4,
  kCaptionGotKey = 5,
  kCaptionCabinetLocked = 6,
  kCaptionTrophyInDrawer = 7,
  kCaptionTrophyBack = 9,
  kCaptionClock = 10,
  kCaptionScreenLit = 12,
  kCaptionTable = 13,
  kCaptionSafeInCabinet = 14,
  kCaptionKeypad = 15,
  kCaptionWrongCode = 16,
  kCaptionSafeOpen = 17,
  kCaptionComputerReady = 18,
  kCaptionComputerDead = 19,
  kCaptionMazesSolved = 21,
  kCaptionAtSpot = 22,
  kCaptionNothingLeft = 23,
  kCaptionWhatElse = 24,
  kCaptionDoorSealed = 25,
};

/* Where the hero stands when the room is built. */
const double kHeroStartX = 0.0;
const double kHeroStartY = 14.0;

/* The keypad's displays and the buttons beside the digits. */
const int kCodeLength = 4;
const int kKeyDelete = 10;
const int kKeyEnter = 11;

}  // namespace SecondRoom

#endif
