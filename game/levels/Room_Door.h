#ifndef SORCA_ROOM_DOOR_H
#define SORCA_ROOM_DOOR_H
#include "Sprite.h"

/* The first room's exit door, drawn over the room and under the hero. */
class Room_Door : public Sprite {
 public:
  Room_Door();
  ~Room_Door() override;
};

#endif
