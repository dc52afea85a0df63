#ifndef SORCA_FIRST_ROOM_H
#define SORCA_FIRST_ROOM_H
/*
 * Numbers of the first room shared by its level and its room logic: the
 * views (the room's frames), the spots (standing places and click places)
 * and the captions (the caption strip's frames).
 */
namespace FirstRoom {

enum View {
  kViewRoom = 0,
  kViewDrawer = 1,
  kViewDrawerWithPieces = 2,
  kViewDrawerEmpty = 3,
  kViewPainting = 4,
  kViewBookShelf = 5,
  kViewExit = 6,
  kViewEndScreen = 7,
};

enum Spot {
  kSpotNone = 0,
  kSpotDrawer = 1,       /* standing */
  kSpotDrawerFront = 2,  /* click, drawer view */
  kSpotPieces = 3,       /* click, drawer open with the pieces */
  kSpotPainting = 4,     /* standing */
  kSpotBookShelf = 5,    /* standing */
  kSpotShelfItems = 6,   /* click, book shelf view */
  kSpotExit = 7,         /* standing */
  kSpotPaintingFrame = 8 /* click, painting view */
};

enum Caption {
  kCaptionWelcome = 0,
  kCaptionLookAround = 1,
  kCaptionAtSpot = 2,
  kCaptionDrawerShut = 3,
  kCaptionPiecesInDrawer = 4,
  kCaptionGotPieces = 5,
  kCaptionWhatElse = 6,
  kCaptionPaintingWithPieces = 7,
  kCaptionPaintingNoPieces = 8,
  kCaptionPaintingWhole = 10,
  kCaptionShelfItems = 11,
  kCaptionShelfEmpty = 12,
  kCaptionDoorSealed = 14,
  kCaptionShelfSealed = 15,
  kCaptionNothingLeft = 16,
};

}  // namespace FirstRoom

#endif
