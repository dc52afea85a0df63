#include "Dialog.h"

#include <string>

#include "GameStateManager.h"

namespace {

const std::string kTextDir = "Resources/Animation/Text/";

/* Frame 0 of every strip is the first room's opening caption. */
const char* const kFirstCaption = "TEXT_LEVEL_1_02.png";

const char* const kFirstLevelCaptions[] = {
    "TEXT_LEVEL_1_01.png", "TEXT_LEVEL_1_03.png", "TEXT_LEVEL_1_04.png",
    "TEXT_LEVEL_1_05.png", "TEXT_LEVEL_1_06.png", "TEXT_LEVEL_1_07.png",
    "TEXT_LEVEL_1_08.png", "TEXT_LEVEL_1_09.png", "TEXT_LEVEL_1_10.png",
    "TEXT_LEVEL_1_11.png", "TEXT_LEVEL_1_12.png", "TEXT_LEVEL_1_13.png",
    "TEXT_LEVEL_1_14.png", "TEXT_LEVEL_1_15.png", "TEXT_LEVEL_1_16.png",
    "TEXT_LEVEL_1_17.png", "TEXT_LEVEL_TIME_0.png", "TEXT_LEVEL_CLICKS_0.png",
};

/* Two first-level pictures come back at 23 and 24; 2_24 precedes 2_23. */
const char* const kSecondLevelCaptions[] = {
    "TEXT_LEVEL_2_01.png", "TEXT_LEVEL_2_02.png", "TEXT_LEVEL_2_03.png",
    "TEXT_LEVEL_2_04.png", "TEXT_LEVEL_2_05.png", "TEXT_LEVEL_2_06.png",
    "TEXT_LEVEL_2_07.png", "TEXT_LEVEL_2_08.png", "TEXT_LEVEL_2_09.png",
    "TEXT_LEVEL_2_10.png", "TEXT_LEVEL_2_11.png", "TEXT_LEVEL_2_12.png",
    "TEXT_LEVEL_2_13.png", "TEXT_LEVEL_2_14.png", "TEXT_LEVEL_2_15.png",
    "TEXT_LEVEL_2_16.png", "TEXT_LEVEL_2_17.png", "TEXT_LEVEL_2_18.png",
    "TEXT_LEVEL_2_19.png", "TEXT_LEVEL_2_20.png", "TEXT_LEVEL_2_21.png",
    "TEXT_LEVEL_2_22.png", "TEXT_LEVEL_1_17.png", "TEXT_LEVEL_1_07.png",
    "TEXT_LEVEL_2_24.png", "TEXT_LEVEL_2_23.png", "TEXT_LEVEL_TIME.png",
};

bool InFirstLevel(int stateId) {
  return stateId == kStateLevel1 || stateId == kStateSpellcast || stateId == kStatePuzzle;
}

bool InSecondLevel(int stateId) {
  return stateId == kStateLevel2 || stateId == kStateRotatingPuzzle ||
         stateId == kStateSpellcastLevel2 || stateId == kStateMazeOne || stateId == kStateMazeTwo;
}

}  // namespace

Dialog::Dialog() : Sprite(kTextDir + kFirstCaption, 474.0, 90.0) {
  KeepOnlyShownFrameLoaded();
  if (InFirstLevel(currentStateId)) {
    for (const char* caption : kFirstLevelCaptions) AddFrame(kTextDir + caption);
  } else if (InSecondLevel(currentStateId)) {
    for (const char* caption : kSecondLevelCaptions) AddFrame(kTextDir + caption);
  }
}

Dialog::~Dialog() = default;
