#ifndef SORCA_ROOM_BOOK_SELF_H
#define SORCA_ROOM_BOOK_SELF_H
#include "Sprite.h"

/* The first room's book shelf, drawn over the room and under the hero. */
class Room_BookSelf : public Sprite {
 public:
  Room_BookSelf();
  ~Room_BookSelf() override;
};

#endif
