#ifndef SORCA_ROOM_H
#define SORCA_ROOM_H
#include <string>

#include "Sprite.h"

/* A room's full-width background. Its frame is the view on screen: the room
 * itself or one of its close-ups. Which images it carries depends on the
 * state that builds it: the first room's set (states 4, 6, 8 and 13), the
 * second room's (state 5), or only the first room picture elsewhere. */
class Room : public Sprite {
 public:
  Room();
  ~Room() override;

  /* Appends the stage-clear or game-over picture, stretches the room over
   * the whole window and shows it. Returns the new view number. */
  int ShowEndScreen(const std::string& image);
};

#endif
