#ifndef SORCA_SESSION_DIGEST_H
#define SORCA_SESSION_DIGEST_H
/*
 * The state digest that session journals keep after every frame: named whole
 * numbers (the state, the hero's position, progress, ...) that a faithful
 * replay reproduces exactly. The game registers its fields and the function
 * that reads their values, so the framework needs to know nothing of rooms
 * or mini-games.
 */
#include <vector>

#include "Journal.h"

/* Writes one value per registered field into values: at least each field
 * that due marks, the ones kept in this frame (the others are not looked at). */
typedef void (*SessionDigestReader)(long long* values, const bool* due);

/* Registers the game's digest; without one a journal keeps no digest. */
void SessionSetDigest(const std::vector<JournalDigestField>& fields, SessionDigestReader reader);
const std::vector<JournalDigestField>& SessionDigestFields();
/* The digest of the game as it is now, after frame `frame` (counted from 0):
 * one value per field, 0 for fields not due in that frame. */
std::vector<long long> SessionDigestNow(long long frame);

#endif
