#ifndef SORCA_LEVEL_DRIVER_H
#define SORCA_LEVEL_DRIVER_H
#include "HeroMover.h"
#include "RoomController.h"

/* The room logic and the walking of one room level, chosen by the state it
 * was built in: 4 runs the first room's logic, 5 the second's. */
class LevelDriver {
 public:
  LevelDriver();
  ~LevelDriver();

  /* The room's logic for this frame, then the walking. */
  void Update();

  int stateId;
  RoomController* controller;
  HeroMover* mover;

  LevelDriver(const LevelDriver&) = delete;
  LevelDriver& operator=(const LevelDriver&) = delete;
};

#endif
