#ifndef SORCA_ROOM_DRAWER_H
#define SORCA_ROOM_DRAWER_H
#include "Sprite.h"

/* The chest of drawers drawn over the hero: frame 0 in the first room,
 * frame 1 the second room's drawer cabinet. */
class Room_Drawer : public Sprite {
 public:
  Room_Drawer();
  ~Room_Drawer() override;
};

#endif
