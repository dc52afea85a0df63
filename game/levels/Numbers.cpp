#include "Numbers.h"

#include <string>

static const std::string kNumberDir = "Resources/Animation/Number/";

Numbers::Numbers() : Sprite(kNumberDir + "NUMBER_0.png", 30.0, 55.0) {
  for (int digit = 1; digit <= 9; ++digit) {
    const std::string d = std::to_string(digit);
    AddFrame(kNumberDir + "NUMBER_" + d + "_" + d + ".png");
  }
  AddFrame(kNumberDir + "NUMBER_0_0.png");
  for (int digit = 1; digit <= 9; ++digit)
    AddFrame(kNumberDir + "NUMBER_" + std::to_string(digit) + ".png");
}

Numbers::~Numbers() = default;
