#include "Replay.h"

Replay::Replay() : Sprite("Resources/Animation/Button/BUTTON_REPLAY_0.png", 73.0, 28.0) {
  AddFrame("Resources/Animation/Button/BUTTON_REPLAY_1.png");
}

Replay::~Replay() = default;
