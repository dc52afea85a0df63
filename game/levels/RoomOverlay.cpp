#include "RoomOverlay.h"

RoomOverlay::RoomOverlay(std::string path, double width, double height, Sprite* room, int view,
                         const unsigned char* shownOnceSet)
    : Sprite(std::move(path), width, height), room_(room), view_(view), shownOnceSet_(shownOnceSet) {
  SetTransparency(0.0f);
}

RoomOverlay::~RoomOverlay() = default;

/* Follows the room each frame, so pausing, fading and changing views need
 * not know about it. */
void RoomOverlay::Update() {
  Sprite::Update();
  const bool shown = *shownOnceSet_ != 0 && room_->GetFrame() == view_;
  SetTransparency(shown ? room_->GetTransparency() : 0.0f);
}
