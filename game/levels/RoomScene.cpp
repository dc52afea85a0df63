#include "RoomScene.h"

static RoomScene published = {};

void PublishRoomScene(const RoomScene& scene) { published = scene; }

void WithdrawRoomScene(const Room* room) {
  if (published.room == room) published = RoomScene();
}

const RoomScene& PublishedRoomScene() { return published; }
