#include "SessionRecorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "JournalEncoder.h"
#include "SessionDigest.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "TNMath.h"
#include "TNSystem.h"

#ifndef SORCA_GAME_VERSION
#define SORCA_GAME_VERSION "unknown"
#endif

static int journalFile = -1;
static std::string journalPath;
static std::unique_ptr<JournalEncoder> encoder;
static JournalFrame frame;
static long long bytesWritten = 0;
static long long wholeFrames = 0;
static std::string failure;

/* Once something could not be recorded nothing more is written: a journal
 * with a hole would replay something that never happened. */
static void Fail(const std::string& reason) {
  if (!failure.empty()) return;
  failure = reason + "; it holds " + std::to_string(wholeFrames) + " whole frames";
  std::fprintf(stderr, "sorca: the journal '%s' stops here: %s\n", journalPath.c_str(), failure.c_str());
}

static bool Write(const std::string& bytes) {
  if (journalFile < 0 || !failure.empty()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(journalFile, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Fail(std::string("it could not be written: ") + std::strerror(n < 0 ? errno : ENOSPC));
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  bytesWritten += static_cast<long long>(bytes.size());
  return true;
}

static void OnInputSample(TNInputSample* sample) {
  for (int key = 0; key < 256; ++key) frame.keys.set(key, (sample->keys[key] & 0x80) != 0);
  frame.cursorX = sample->cursorX;
  frame.cursorY = sample->cursorY;
  frame.cursorDeltaX = sample->cursorDeltaX;
  frame.cursorDeltaY = sample->cursorDeltaY;
}

static unsigned int OnClockSeed(unsigned int seed) {
  if (frame.seeds.size() < kJournalMaxSeedsPerFrame)
    frame.seeds.push_back(seed);
  else
    Fail("a frame drew more than " + std::to_string(kJournalMaxSeedsPerFrame) + " clock seeds");
  return seed;
}

/* The frame has run: it goes to the file with the digest of what it did. */
static double OnFrameTime(double measured) {
  // A frame of more than an hour (a machine asleep) is played as an hour long.
  frame.frameTime = measured >= 0.0 && measured <= kJournalMaxFrameTime ? measured : kJournalMaxFrameTime;
  frame.digest = SessionDigestNow(encoder->Frames());
  if (Write(encoder->Frame(frame))) ++wholeFrames;
  frame.seeds.clear();
  return frame.frameTime;
}

bool SessionRecordOpen(const std::string& path, std::string* error) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (file < 0) {
    *error = errno == EEXIST ? "the file already exists, and a journal never overwrites one"
                             : std::strerror(errno);
    return false;
  }
  journalFile = file;
  journalPath = path;
  bytesWritten = 0;
  wholeFrames = 0;
  failure.clear();
  return true;
}

void SessionRecordDiscard() {
  if (journalFile < 0) return;
  ::close(journalFile);
  journalFile = -1;
  ::unlink(journalPath.c_str());
}

void SessionRecordStart(int startState, bool startFullScreen) {
  JournalHeader header;
  header.gameVersion = SORCA_GAME_VERSION;
  header.windowWidth = TNGetWindowWidth();
  header.windowHeight = TNGetWindowHeight();
  header.fullScreen = startFullScreen;
  header.startState = startState;
  header.digestFields = SessionDigestFields();
  encoder.reset(new JournalEncoder(header));
  frame = JournalFrame();
  Write(encoder->HeaderBytes());
  TNInputSetSampleHook(OnInputSample);
  TNRandSetClockSeedHook(OnClockSeed);
  TNFrameRateControllerSetFrameTimeHook(OnFrameTime);
}

bool SessionRecordStop(std::string* error) {
  TNInputSetSampleHook(nullptr);
  TNRandSetClockSeedHook(nullptr);
  TNFrameRateControllerSetFrameTimeHook(nullptr);
  if (encoder) Write(encoder->End());
  if (journalFile >= 0 && ::close(journalFile) != 0)
    Fail(std::string("it could not be closed: ") + std::strerror(errno));
  journalFile = -1;
  *error = failure;
  return failure.empty();
}

long long SessionRecordFrames() { return wholeFrames; }

long long SessionRecordBytes() { return bytesWritten; }
