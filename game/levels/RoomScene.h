#ifndef SORCA_ROOM_SCENE_H
#define SORCA_ROOM_SCENE_H
/*
 * The objects of the running room level that its room logic and walking
 * need. The level publishes them once it has built them, so the logic
 * reaches them without a pointer back to the level.
 */
#include "Inventory.h"

class Dialog;
class Fade;
class Hero;
class InventoryItem;
class Loading;
class Numbers;
class Room;
class Room_BookSelf;
class Room_Door;
class Room_Drawer;

struct RoomScene {
  Room* room;
  Hero* hero;
  Room_BookSelf* bookShelf;  /* first room only */
  Room_Door* door;           /* first room only */
  Room_Drawer* drawer;
  Dialog* dialog;
  Loading* loading;
  Fade* fade;
  Numbers* digits[4];        /* second room's keypad */
  InventoryItem** items;     /* the level's Inventory::kSlotCount slots */
};

/* Makes scene the one the room logic works on. */
void PublishRoomScene(const RoomScene& scene);
/* Forgets the scene if it is still the published one (its level is gone). */
void WithdrawRoomScene(const Room* room);
/* The published scene; all null before the first level publishes. */
const RoomScene& PublishedRoomScene();

#endif
