#ifndef SORCA_SESSION_PLAY_H
#define SORCA_SESSION_PLAY_H
/* Sessions recorded into journals and replayed: the engine started as the program starts it,
 * a player's script recorded through the real loop, the built program run on a journal, and the
 * players whose journals are kept under tests/journals/. Needs a display (Xvfb works). */
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GameDigest.h"
#include "JournalReader.h"
#include "Level1.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "PlayHarness.h"
#include "ProgramRunner.h"
#include "SessionRecorder.h"
#include "TNInput.h"
#include "TNMath.h"

namespace session_play {

using Script = std::function<void(PlayHarness&)>;
using Point = PlayHarness::Point;
using namespace places;

/* Every frame of a journal's bytes and how the reading stopped: kBad for a refused header. */
inline std::vector<JournalFrame> ReadJournal(const std::string& bytes, JournalHeader* header,
                                             JournalReader::Step* last, std::string* why) {
  JournalReader reader(bytes);
  std::vector<JournalFrame> frames;
  JournalFrame frame;
  *last = JournalReader::kBad;
  if (!reader.ReadHeader(header, why)) return frames;
  while ((*last = reader.Next(&frame, why)) == JournalReader::kFrame) frames.push_back(frame);
  return frames;
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

/* What a fresh program has and an earlier session in this process may have changed: a journal
 * starts with its program. */
inline void AsAFreshProgram() {
  splashState = 0;
  stageClearMark = gameOverMark = lastMiniGame = 0;
  hotspotHover = 0;
  frameTime = 0.0f;
  TNSRand(1);
  TNRandFixClockSeed(0, 0);
}

/* The engine as the program starts it: 60 frames a second, so that is the frame time the
 * first frame reads. Then no cap, as a replay runs, unless the 60 are to be kept. */
inline std::unique_ptr<PlayHarness> StartLikeTheProgram(int stateId, bool fullScreen = false,
                                                        bool keepCap = false) {
  AsAFreshProgram();
  RegisterGameDigest();
  PlayHarness::Options options;
  options.fullScreen = fullScreen;
  options.maxFrameRate = 60;
  std::unique_ptr<PlayHarness> h(new PlayHarness(stateId, options));
  TNGfxSetCamPosition(0.0f, 0.0f);  // the engine keeps it from one start to the next
  if (!keepCap) TNFrameRateControllerSetMaxFrameRate(0);
  return h;
}

/* Plays script from the menu (or startState), recording it into the new file path; the frames
 * recorded, or -1 with the reason. A kept journal is played at 60 frames a second, as a player
 * would. */
inline long long RecordSession(const std::string& path, const Script& script, std::string* error,
                               bool atSixtyFrames = false, int startState = kStateMenu) {
  if (!SessionRecordOpen(path, error)) return -1;
  auto h = StartLikeTheProgram(startState, false, atSixtyFrames);
  SessionRecordStart(startState, false);
  script(*h);
  if (!SessionRecordStop(error)) return -1;
  return SessionRecordFrames();
}

/* The built program with arguments, after environment settings if any: its exit code, what it
 * said on standard error, and what it printed. */
inline int RunProgram(const std::string& arguments, std::string* said, std::string* printed = nullptr,
                      const std::string& environment = "") {
  const ProgramRun run = RunBuiltProgram(arguments, environment);
  *said = run.said;
  if (printed) *printed = run.printed;
  return run.code;
}

/* Through the menu into the first room, to the drawer and its close-up, where the cursor
 * sparkles over the drawer front. */
inline void ToTheDrawer(PlayHarness& h) {
  h.Frame();
  h.Tap(TN_KEY_SPACE);
  h.Frames(kMenuFadeIn);
  h.ClickAt(kMenuStart);
  h.Frames(kLeaveFrames + kRoomFadeIn);
  h.Hold(TN_KEY_D, 44);  // the lower band of the floor ends at x 90: down first, then the last step
  h.Hold(TN_KEY_S, 35);
  h.Hold(TN_KEY_D, 3);
  h.Tap(TN_KEY_E);
  h.Frames(kRoomFadeIn);
  h.Hover(kDrawerFront);
  h.Frames(30);
}

/* From the splash through the menu into the first room: walk to the drawer, open it, take the
 * pieces, step back, walk on, pause, back to the menu, quit. */
inline void PlayMenuAndFirstRoom(PlayHarness& h) {
  ToTheDrawer(h);
  h.ClickAt(kDrawerFront);
  h.Frames(kRoomFadeIn);
  h.ClickAt(kPieces);
  h.Frames(kRoomFadeIn);
  h.Tap(TN_KEY_Q);
  h.Frames(kRoomFadeIn);
  ASSERT_TRUE(h.StateAs<Level1>()->driver.controller->piecesTaken) << "the session takes the pieces";
  h.Hold(TN_KEY_W, 20);
  h.Hold(TN_KEY_A, 30);
  h.Tap(TN_KEY_ESCAPE);
  h.ClickAt(kPanelMenu);
  h.Frames(kMenuFadeIn);
  ASSERT_NE(h.StateAs<Menu>(), nullptr);
  h.ClickAt(kMenuExit);
  ASSERT_TRUE(h.Finished());
}

}  // namespace session_play

#endif
