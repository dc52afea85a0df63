#ifndef SORCA_ROOM_OVERLAY_H
#define SORCA_ROOM_OVERLAY_H
#include <string>
#include <utility>

#include "Sprite.h"

/* A picture laid over one view of a room to show what the player changed
 * there (a painting made whole, a shelf emptied): seen only in that view once
 * its flag is set, fading in and out with the room. */
class RoomOverlay : public Sprite {
 public:
  RoomOverlay(std::string path, double width, double height, Sprite* room, int view,
              const unsigned char* shownOnceSet);
  ~RoomOverlay() override;
  void Update() override;

 private:
  Sprite* room_;
  int view_;
  const unsigned char* shownOnceSet_;
};

#endif
