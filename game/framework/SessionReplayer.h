#ifndef SORCA_SESSION_REPLAYER_H
#define SORCA_SESSION_REPLAYER_H
/*
 * Plays a recorded session again from its journal (Journal.h): each frame
 * gets the journal's input, frame time and clock seeds instead of the
 * devices' and the clock's, whatever the player does (closing the window
 * still ends it). After every frame the game's digest (SessionDigest.h) is
 * compared with the recorded one; the first difference ends the replay.
 * The replay also ends, by requesting the quit state, with the journal's
 * last frame.
 *
 *   SessionReplayLoad(path, &header, &error);    refused: nothing else happens
 *   GameStart(header.fullScreen); GameLoopBegin(header.startState);
 *   SessionReplayStart(speed);
 *   ... the state loop ...
 *   SessionReplayResult result = SessionReplayStop();
 */
#include <string>

#include "Journal.h"

/* Reads and checks the whole journal at path. False, with the reason, for
 * one that cannot be replayed: missing, unreadable, not a journal, another
 * version, or damaged anywhere. A journal cut short is good. */
bool SessionReplayLoad(const std::string& path, JournalHeader* header, std::string* error);
/* The whole frames of the loaded journal, and where it stops when cut short
 * ("" for a journal with its end record). */
long long SessionReplayRecordedFrames();
std::string SessionReplayCutReason();
/* Hooks into the engine: from the next frame on the game plays the loaded
 * journal. speed 0 runs as fast as the machine can; otherwise each frame
 * lasts its recorded time divided by speed. */
void SessionReplayStart(double speed);

struct SessionReplayResult {
  bool faithful;            /* every frame of the journal replayed, no difference */
  long long framesReplayed;
  long long framesRecorded;
  std::string message;      /* how it went, in one line */
};
/* Unhooks and says how the replay went. */
SessionReplayResult SessionReplayStop();

#endif
