#ifndef SORCA_GAME_DIGEST_H
#define SORCA_GAME_DIGEST_H
/*
 * The game's state digest for session journals (SessionDigest.h): what a
 * person reading "the replay left the recording" wants named (the state,
 * the hero's position, the room's view and progress, ...), and a hash of
 * every scene object to catch whatever the names miss.
 */

/* Registers the game's digest fields and their reader with the session journal. */
void RegisterGameDigest();

#endif
