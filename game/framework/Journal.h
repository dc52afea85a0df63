#ifndef SORCA_JOURNAL_H
#define SORCA_JOURNAL_H
/*
 * A session journal: everything the engine sampled in each frame of a
 * session (keys and buttons down, the cursor, the frame time, the clock
 * seeds drawn) and a digest of the game's state after it, so that the
 * session can be played again exactly and checked frame by frame.
 *
 * Journals travel with bug reports, so the reader trusts nothing in them.
 *
 * Layout, version 1. Numbers are LEB128 varints; signed ones are zigzagged.
 *   header:  "SORCAJNL", format version, game version (length, bytes),
 *            window width, window height, full-screen byte (0 or 1),
 *            start state (signed), digest field count, then per field its
 *            name (length, bytes) and how many frames apart it is checked.
 *   frame:   a flags byte (bit 7 clear), then, in flag order, only what
 *            changed since the frame before:
 *              keys    count, then the key codes that went down or up, ascending
 *              cursor  signed x and y movement
 *              delta   signed difference between the reported cursor delta
 *                      and the movement
 *              ticks   signed change of the frame time in nanoseconds
 *              time    the frame time as the 8 bytes of a double, little end
 *                      first (a time that is no whole number of nanoseconds)
 *              seeds   count, then each clock seed drawn in the frame
 *              digest  count, then per changed field its index (ascending)
 *                      and the signed change of its value
 *            A frame with nothing new is the flags byte alone.
 *   end:     0xFF and the number of frames, written when the session ends
 *            normally; a journal without it was cut short.
 */
#include <bitset>
#include <cstddef>
#include <string>
#include <vector>

const int kJournalVersion = 1;
const char kJournalMagic[] = "SORCAJNL";  /* the first 8 bytes of every journal */
const std::size_t kJournalMagicSize = 8;

/* Limits that keep a hostile file from asking for much. */
const unsigned kJournalMaxText = 64;          /* game version, field names */
const unsigned kJournalMaxDigestFields = 64;
const unsigned kJournalMaxSeedsPerFrame = 64;
const int kJournalMaxWindowSide = 65535;
const int kJournalMaxCursor = 1 << 24;        /* |cursor| and |delta| in pixels */
const double kJournalMaxFrameTime = 3600.0;   /* seconds */

enum JournalFrameFlag {
  kJournalKeys = 1 << 0,
  kJournalCursor = 1 << 1,
  kJournalDelta = 1 << 2,
  kJournalTicks = 1 << 3,
  kJournalTime = 1 << 4,
  kJournalSeeds = 1 << 5,
  kJournalDigest = 1 << 6,
};
const unsigned char kJournalEndTag = 0xFF;

/* One named number of the state digest, compared every `every` frames
 * (frames whose index is a multiple of it). */
struct JournalDigestField {
  std::string name;
  int every;
};

struct JournalHeader {
  std::string gameVersion;
  int windowWidth = 0;
  int windowHeight = 0;
  bool fullScreen = false;
  int startState = 0;
  std::vector<JournalDigestField> digestFields;
};

/* One frame as the game saw it: whole values, not changes. */
struct JournalFrame {
  std::bitset<256> keys;  /* down (or pressed since the frame before) */
  int cursorX = 0, cursorY = 0;
  int cursorDeltaX = 0, cursorDeltaY = 0;
  double frameTime = 0.0;
  std::vector<unsigned int> seeds;  /* clock seeds drawn, in order */
  std::vector<long long> digest;    /* one value per digest field */
};

/* True when the field is compared (and recorded) in frame `index`. */
inline bool JournalFieldDue(const JournalDigestField& field, long long index) {
  return field.every <= 1 || index % field.every == 0;
}

#endif
