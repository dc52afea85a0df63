#include "SessionReplayer.h"

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "GameStateManager.h"
#include "JournalReader.h"
#include "SessionDigest.h"
#include "TNFrameRateController.h"
#include "TNInput.h"
#include "TNMath.h"
#include "TNSystem.h"

static std::string journalBytes;
static JournalHeader journalHeader;
static JournalReader::Summary journalSummary;
static std::unique_ptr<JournalReader> reader;
static JournalFrame frame;
static bool haveFrame = false;
static long long framesDone = 0;
static std::size_t seedsTaken = 0;
static double replaySpeed = 0.0;
/* For each of the game's digest fields, the journal's field of the same name (or -1). */
static std::vector<int> journalFieldOf;
static std::string divergence;

static std::string FrameName() { return "frame " + std::to_string(framesDone + 1); }

static void Diverge(const std::string& what) {
  if (divergence.empty()) divergence = "the replay left the recording in " + FrameName() + ": " + what;
}

/* The journal's record of the frame under way, read when first needed:
 * clock seeds may be drawn while a state is built, before the frame's input. */
static bool Current() {
  if (!haveFrame && framesDone < journalSummary.frames)
    haveFrame = reader->Next(&frame, nullptr) == JournalReader::kFrame;
  return haveFrame;
}

static void OnInputSample(TNInputSample* sample) {
  if (!Current()) return;
  for (int key = 0; key < 256; ++key) sample->keys[key] = frame.keys.test(key) ? 0x80 : 0;
  sample->cursorX = frame.cursorX;
  sample->cursorY = frame.cursorY;
  sample->cursorDeltaX = frame.cursorDeltaX;
  sample->cursorDeltaY = frame.cursorDeltaY;
}

static unsigned int OnClockSeed(unsigned int seed) {
  if (!Current()) return seed;
  if (seedsTaken < frame.seeds.size()) return frame.seeds[seedsTaken++];
  Diverge("the game drew clock seed " + std::to_string(seedsTaken + 1) + ", the recording only " +
          std::to_string(frame.seeds.size()));
  return seed;
}

static void CompareDigest() {
  const std::vector<long long> now = SessionDigestNow(framesDone);
  std::string differences;
  for (std::size_t i = 0; i < now.size() && i < journalFieldOf.size(); ++i) {
    const int j = journalFieldOf[i];
    if (j < 0 || !JournalFieldDue(journalHeader.digestFields[j], framesDone)) continue;
    if (now[i] == frame.digest[j]) continue;
    if (!differences.empty()) differences += "; ";
    differences += journalHeader.digestFields[j].name + " is " + std::to_string(now[i]) +
                   ", the recording has " + std::to_string(frame.digest[j]);
  }
  if (!differences.empty()) Diverge(differences);
}

static void KeepPace(double measured) {
  if (replaySpeed <= 0.0) return;
  const double target = frame.frameTime / replaySpeed;
  if (target > measured) std::this_thread::sleep_for(std::chrono::duration<double>(target - measured));
}

/* The frame has run: it must have left the game as the recording says. */
static double OnFrameTime(double measured) {
  if (!Current()) return measured;
  if (seedsTaken < frame.seeds.size())
    Diverge("the game drew " + std::to_string(seedsTaken) + " clock seeds, the recording " +
            std::to_string(frame.seeds.size()));
  CompareDigest();
  KeepPace(measured);
  ++framesDone;
  haveFrame = false;
  seedsTaken = 0;
  if (!divergence.empty() || framesDone == journalSummary.frames) nextStateId = kStateQuit;
  return frame.frameTime;
}

bool SessionReplayLoad(const std::string& path, JournalHeader* header, std::string* error) {
  std::string bytes;
  JournalReader::Summary summary;
  if (!JournalReader::ReadFile(path, &bytes, error)) return false;
  if (!JournalReader::Check(bytes, header, &summary, error)) return false;
  journalBytes = bytes;
  journalHeader = *header;
  journalSummary = summary;
  return true;
}

long long SessionReplayRecordedFrames() { return journalSummary.frames; }
std::string SessionReplayCutReason() { return journalSummary.cutReason; }

static void MatchDigestFields() {
  const std::vector<JournalDigestField>& ours = SessionDigestFields();
  journalFieldOf.assign(ours.size(), -1);
  for (std::size_t i = 0; i < ours.size(); ++i)
    for (std::size_t j = 0; j < journalHeader.digestFields.size(); ++j)
      if (ours[i].name == journalHeader.digestFields[j].name) journalFieldOf[i] = static_cast<int>(j);
}

void SessionReplayStart(double speed) {
  reader.reset(new JournalReader(journalBytes));
  JournalHeader header;
  std::string error;
  reader->ReadHeader(&header, &error);
  haveFrame = false;
  framesDone = 0;
  seedsTaken = 0;
  replaySpeed = speed;
  divergence.clear();
  MatchDigestFields();
  TNInputSetSampleHook(OnInputSample);
  TNRandSetClockSeedHook(OnClockSeed);
  TNFrameRateControllerSetFrameTimeHook(OnFrameTime);
}

static std::string Outcome() {
  const std::string recorded = std::to_string(journalSummary.frames);
  if (!divergence.empty()) return divergence;
  if (framesDone < journalSummary.frames) {
    if (!TNSysDoesWindowExist())
      return "the window was closed in frame " + std::to_string(framesDone + 1) + " of " + recorded;
    return "the game ended after frame " + std::to_string(framesDone) + "; the recording goes on to frame " +
           recorded;
  }
  if (!journalSummary.ended)
    return "replayed " + recorded + " frames as recorded; the journal ends early: " + journalSummary.cutReason;
  return "replayed all " + recorded + " frames as recorded";
}

SessionReplayResult SessionReplayStop() {
  TNInputSetSampleHook(nullptr);
  TNRandSetClockSeedHook(nullptr);
  TNFrameRateControllerSetFrameTimeHook(nullptr);
  SessionReplayResult result;
  result.faithful = divergence.empty() && framesDone == journalSummary.frames;
  result.framesReplayed = framesDone;
  result.framesRecorded = journalSummary.frames;
  result.message = Outcome();
  return result;
}
