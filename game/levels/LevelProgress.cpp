#include "LevelProgress.h"

int stageClearMark = 0;
int gameOverMark = 0;
int gameOverCause = kNoLoss;
int lastMiniGame = 0;
unsigned char hotspotHover = 0;
