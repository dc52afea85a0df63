#include "LevelDriver.h"

#include "GameStateManager.h"

LevelDriver::LevelDriver() : controller(new RoomController), mover(new HeroMover) {
  stateId = currentStateId;
}

LevelDriver::~LevelDriver() {
  delete controller;
  delete mover;
}

void LevelDriver::Update() {
  if (stateId == kStateLevel1) controller->UpdateFirstRoom();
  if (stateId == kStateLevel2) controller->UpdateSecondRoom();
  mover->Update();
}
