#ifndef SORCA_LEVEL_PROGRESS_H
#define SORCA_LEVEL_PROGRESS_H
/*
 * Progress that outlives a state: the room levels and the mini-games are
 * rebuilt from scratch on every change of state, so what one leaves for the
 * other passes through these globals.
 */

/* kStageClearMark after a won spell battle; the level writes 0 when it moves on. */
extern int stageClearMark;
/* kGameOverMark after a lost mini-game; the level writes 0 when it moves on. */
extern int gameOverMark;
/* What lost the last mini-game, one of the loss causes below, for the
 * game-over screen to say; the level writes kNoLoss when it moves on. */
extern int gameOverCause;
/* The code of the mini-game that just ended; the levels write 0 once they
 * have taken it up. */
extern int lastMiniGame;
/* 1 while the cursor is over the clickable spot of the close-up on screen. */
extern unsigned char hotspotHover;

const int kStageClearMark = 9;
const int kGameOverMark = 10;

/* Values of gameOverCause. */
const int kNoLoss = 0;
const int kTimeRanOut = 1;
const int kNoSwapsLeft = 2;
const int kCaughtByMonster = 3;
const int kNoLivesLeft = 4;

/* Values of lastMiniGame. A failed mini-game leaves its own state id. */
const int kPuzzleFailed = 8;
const int kSpellcastFailed = 6;
const int kPuzzleSolved = 11;
const int kRingsSolved = 12;
const int kSpellcastLevel2Ended = 13;
const int kMazeOneEnded = 14;
const int kMazeTwoEnded = 15;

#endif
