#include "Loading.h"

Loading::Loading() : Sprite("Resources/Animation/Loading/LOADING_0.png", 265.0, 55.0) {
  AddFrame("Resources/Animation/Loading/LOADING_1.png");
  AddFrame("Resources/Animation/Loading/LOADING_2.png");
  AddFrame("Resources/Animation/Loading/LOADING_3.png");
}

Loading::~Loading() = default;
