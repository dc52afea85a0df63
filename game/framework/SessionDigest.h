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

/* Writes one value per registered field into values. */
typedef void (*SessionDigestReader)(long long* values);

/* Registers the game's digest; without one a journal keeps no digest. */
void SessionSetDigest(const std::vector<JournalDigestField>& fields, SessionDigestReader reader);
const std::vector<JournalDigestField>& SessionDigestFields();
/* The digest of the game as it is now, one value per field. */
std::vector<long long> SessionDigestNow();

#endif
