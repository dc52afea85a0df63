#ifndef SORCA_SESSION_RECORDER_H
#define SORCA_SESSION_RECORDER_H
/*
 * Records the running session into a journal (Journal.h): every frame, as it
 * ends, what the engine sampled, its frame time, the clock seeds drawn in it
 * and the game's digest (SessionDigest.h). Each frame reaches the file when
 * it ends, so a crash loses only the frame it happened in.
 *
 *   SessionRecordOpen(path, &error);          before anything else happens
 *   GameStart(...);
 *   SessionRecordStart(startState, fullScreen);
 *   ... the state loop ...
 *   SessionRecordStop(&error);
 */
#include <string>

/* Creates the journal file; an existing file is never overwritten. False,
 * with the reason, when it cannot be created. */
bool SessionRecordOpen(const std::string& path, std::string* error);
/* Removes the file SessionRecordOpen created, before anything was recorded. */
void SessionRecordDiscard();
/* Writes the header (this game's version, the engine's window size, the
 * start state and full-screen flag, the digest fields) and hooks into the
 * engine: from now on every frame is recorded. A journal starts with its
 * program: a replay starts the program afresh. */
void SessionRecordStart(int startState, bool startFullScreen);
/* Writes the end record, closes the file and unhooks. False, with the
 * reason, when any part of the journal could not be written. */
bool SessionRecordStop(std::string* error);

long long SessionRecordFrames();
long long SessionRecordBytes();

#endif
