// Recording a session and replaying it: in this process through the real state loop, and with
// the built program started the way a player or a bug report's reader starts it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "JournalEncoder.h"
#include "JournalReader.h"
#include "MazePuzzle.h"
#include "Puzzle.h"
#include "SessionPlay.h"
#include "SessionReplayer.h"

namespace {

using namespace session_play;

class SessionTest : public ::testing::Test {
 protected:
  ~SessionTest() override { TNRandFixClockSeed(0, 0); }

  /* Plays script from the menu (or startState), recording it into path, with the clock fixed at
   * 4242; at 60 frames a second when asked, as a player would. */
  void Record(const Script& script, int startState = kStateMenu, bool atSixtyFrames = false) {
    std::string error;
    recorded = RecordSession(path, [&](PlayHarness& h) {
      TNRandFixClockSeed(1, 4242);
      script(h);
    }, &error, atSixtyFrames, startState);
    ASSERT_GE(recorded, 0) << error;
  }

  /* Replays path in this process; during is called before each frame. */
  SessionReplayResult Replay(const std::function<void(PlayHarness&, int)>& during = nullptr) {
    JournalHeader header;
    std::string error;
    EXPECT_TRUE(SessionReplayLoad(path, &header, &error)) << error;
    auto h = StartLikeTheProgram(header.startState, header.fullScreen);
    TNRandFixClockSeed(1, 999);  // the clock now says something else
    SessionReplayStart(0.0);
    for (int frame = 0; frame < 100000 && !h->Finished(); ++frame) {
      if (during) during(*h, frame);
      h->Frame();
    }
    return SessionReplayStop();
  }

  const TempDir dir;
  const std::string path = dir.path + "/session.journal";
  long long recorded = 0;
};

std::string Encode(const JournalHeader& header, const std::vector<JournalFrame>& frames) {
  JournalEncoder encoder(header);
  std::string bytes = encoder.HeaderBytes();
  for (const JournalFrame& f : frames) bytes += encoder.Frame(f);
  return bytes + encoder.End();
}

/* The first frame at or after `from` in which the left button goes down. */
std::size_t ClickFrame(const std::vector<JournalFrame>& frames, std::size_t from) {
  for (std::size_t i = std::max<std::size_t>(from, 1); i < frames.size(); ++i)
    if (frames[i].keys.test(TN_MOUSE_LEFT) && !frames[i - 1].keys.test(TN_MOUSE_LEFT)) return i;
  return frames.size();
}

/* Maze one at 60 frames a second: its hero and its patrols move by the frame time. */
void WalkInMazeOne(PlayHarness& h) {
  h.Frames(2);
  h.ClickAt({400, 300});  // past the intro
  h.Hold(TN_KEY_D, 30);
  h.Hold(TN_KEY_W, 40);
  h.Frames(40);
  h.Hold(TN_KEY_S, 20);
  ASSERT_FALSE(h.StateAs<MazePuzzle>()->finished) << "still playing: the second room does not exist yet";
}

/* The jigsaw, dealt from the clock's seed: past the intro, then two swaps by the cells' middles. */
void SwapInTheJigsaw(PlayHarness& h) {
  h.Frames(2);
  h.ClickAt({400, 300});
  for (Point p : {Point{325, 101}, {415, 204}, {505, 306}, {325, 408}}) h.ClickAt(p);
  h.Frames(20);
  ASSERT_EQ(h.StateAs<Puzzle>()->clicksLeft, Puzzle::kStartClicks - 2);
}

/* Moves the drawer click after the menu's Start elsewhere; the frame of the click. */
std::size_t ClickElsewhere(std::vector<JournalFrame>& frames) {
  const std::size_t click = ClickFrame(frames, ClickFrame(frames, 0) + 1);
  EXPECT_TRUE(click < frames.size() && frames[click].cursorX == kDrawerFront.x && frames[click].cursorY == kDrawerFront.y);
  for (std::size_t i = click; i < frames.size() && frames[i].cursorX == kDrawerFront.x &&
                              frames[i].cursorY == kDrawerFront.y; ++i)
    frames[i].cursorX = kNowhere.x, frames[i].cursorY = kNowhere.y;
  return click;
}

/* A frame in the middle of the maze's walk up (a wall stops the walk right at once) takes three
 * times as long: the next frame moves the hero three times as far. */
std::size_t SlowFrameInTheMaze(std::vector<JournalFrame>& frames) {
  const std::size_t slow = 45;
  EXPECT_TRUE(frames[slow].keys.test(TN_KEY_W) && frames[slow + 1].keys.test(TN_KEY_W));
  frames[slow].frameTime *= 3.0;
  return slow + 1;
}

/* Another seed for the jigsaw's deal, drawn as the jigsaw was built. */
std::size_t DealAnotherJigsaw(std::vector<JournalFrame>& frames) {
  EXPECT_EQ(frames[0].seeds, std::vector<unsigned>({4242u}));
  frames[0].seeds[0] = 4243u;
  return 0;
}

/* A player at the keyboard and the mouse during a replay changes nothing. */
void PlayAlong(PlayHarness& h, int frame) {
  if (frame % 7 == 3) h.Click(kNowhere.x, kNowhere.y);
  if (frame % 11 == 5) h.Press(TN_KEY_ESCAPE);
  if (frame % 13 == 0) h.KeyDown(TN_KEY_D);
}

/* A session, an edit of its journal, and what the replay of the edited journal must say. */
struct Divergence {
  const char* name;
  void (*script)(PlayHarness&);
  int startState;
  bool atSixtyFrames;
  std::size_t (*edit)(std::vector<JournalFrame>&);  // the frame the replay must stop in; past the end: any
  const char* differs;
};
const Divergence kDivergences[] = {
    {"EditedClick", PlayMenuAndFirstRoom, kStateMenu, false, ClickElsewhere, "room view is 1, the recording has 2"},
    {"SlowMazeFrame", WalkInMazeOne, kStateMazeOne, true, SlowFrameInTheMaze, "hero y is "},
    {"JigsawSeed", SwapInTheJigsaw, kStatePuzzle, false, DealAnotherJigsaw, "jigsaw board is "},
};

void PrintTo(const Divergence& d, std::ostream* out) { *out << d.name; }

struct SessionDivergence : SessionTest, ::testing::WithParamInterface<Divergence> {};

/* Each session replays as recorded, with its recorded clock seeds, whatever the player and the
 * clock do; edited, the replay stops in the edited frame and says what differs there. */
TEST_P(SessionDivergence, AReplayGoesAsRecordedAndAnEditedOneStopsInTheEditedFrameSayingWhatDiffers) {
  const Divergence& c = GetParam();
  Record(c.script, c.startState, c.atSixtyFrames);
  JournalHeader header;
  JournalReader::Step last;
  std::string why;
  std::vector<JournalFrame> frames = ReadJournal(ReadFile(path), &header, &last, &why);
  ASSERT_EQ(static_cast<long long>(frames.size()), recorded);
  EXPECT_TRUE(!header.fullScreen && header.startState == c.startState);
  for (const JournalFrame& f : frames)
    for (unsigned seed : f.seeds) EXPECT_EQ(seed, 4242u) << "the clock at the time";
  SessionReplayResult result = Replay(PlayAlong);
  EXPECT_EQ(result.message, "replayed all " + std::to_string(recorded) + " frames as recorded");
  EXPECT_TRUE(result.faithful);
  if (c.edit == ClickElsewhere) EXPECT_EQ(currentStateId, kStateQuit) << "the session quits from the menu";
  const std::size_t stop = c.edit(frames);
  WriteAll(path, Encode(header, frames));
  result = Replay();
  const std::string frame = stop < frames.size() ? "frame " + std::to_string(stop + 1) + ": " : "frame ";
  EXPECT_FALSE(result.faithful);
  EXPECT_EQ(result.message.rfind("the replay left the recording in " + frame, 0), 0u) << result.message;
  EXPECT_NE(result.message.find(c.differs), std::string::npos) << result.message;
  if (stop < frames.size()) EXPECT_EQ(result.framesReplayed, static_cast<long long>(stop) + 1);
  if (c.edit != ClickElsewhere) return;  // the program says the same, once is enough
  std::string said;
  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said), 1) << said;
  EXPECT_NE(said.find(": the replay left the recording in " + frame), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(Sessions, SessionDivergence, ::testing::ValuesIn(kDivergences),
                         [](const ::testing::TestParamInfo<Divergence>& info) { return std::string(info.param.name); });

TEST_F(SessionTest, ClosingTheWindowEndsAReplayThatSaysWhere) {
  Record([](PlayHarness& h) { h.Frames(60); });
  const SessionReplayResult result = Replay([](PlayHarness& h, int frame) {
    if (frame == 25) h.CloseWindow();
  });
  EXPECT_FALSE(result.faithful);
  EXPECT_EQ(result.message, "the window was closed in frame 26 of 60");
}

/* The program records a session of its own, never over a file, and says where a replay of it
 * stopped early. Its whole and cut journals are replayed by the kept and the killed-while-recording
 * tests. */
TEST_F(SessionTest, TheProgramRecordsNeverOverAFileAndSaysWhereAReplayEndedEarly) {
  std::string said, printed;
  ASSERT_EQ(RunProgram("--start-state 4 --record '" + path + "'", &said, nullptr, "SORCA_EXIT_AFTER_FRAMES=60"), 0)
      << said;
  EXPECT_NE(said.find("recorded 60 frames into '" + path + "'"), std::string::npos) << said;
  const std::string journal = ReadFile(path);
  EXPECT_EQ(RunProgram("--record '" + path + "'", &said, &printed), 2);
  EXPECT_NE(said.find("cannot record into '" + path + "': the file already exists, and a journal never overwrites one"),
            std::string::npos) << said;
  EXPECT_EQ(printed, "") << "nothing started";
  EXPECT_EQ(ReadFile(path), journal);
  JournalHeader header;
  JournalReader::Summary summary;
  ASSERT_TRUE(JournalReader::Check(journal, &header, &summary, &said)) << said;
  EXPECT_TRUE(header.fullScreen && header.startState == kStateLevel1 && summary.ended && summary.frames == 60);

  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said, nullptr, "SORCA_EXIT_AFTER_FRAMES=10"), 1) << said;
  EXPECT_NE(said.find("the game ended after frame 10; the recording goes on to frame 60"), std::string::npos) << said;
}

TEST_F(SessionTest, TheProgramKilledWhileRecordingLeavesAJournalThatReplaysToItsLastWholeFrame) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execl("./sorca", "sorca", "--start-state", "4", "--record", path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Killed without warning once it has recorded half a second or so.
  JournalHeader header;
  JournalReader::Summary summary;
  std::string said;
  for (int i = 0; i < 600 && summary.frames < 30; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    JournalReader::Check(ReadFile(path), &header, &summary, &said);
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(JournalReader::Check(ReadFile(path), &header, &summary, &said)) << said;
  ASSERT_GE(summary.frames, 30);
  EXPECT_FALSE(summary.ended);
  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said), 0) << said;
  EXPECT_NE(said.find("replayed " + std::to_string(summary.frames) + " frames as recorded; the journal ends early: it stops after frame " +
                      std::to_string(summary.frames)),
            std::string::npos) << said;
}

/* What is refused before anything starts, with exit code 2 and the reason. */
TEST_F(SessionTest, TheProgramRefusesWhatIsNoJournalItCanReplayAndStartsNothing) {
  JournalHeader header;
  header.gameVersion = SORCA_VERSION;
  header.windowWidth = 800;
  header.windowHeight = 600;
  header.startState = kStateLevel1;
  std::vector<JournalFrame> frames(3);
  const std::string good = Encode(header, frames);
  std::string damaged = good;
  damaged[damaged.size() - 3] = '\x80';  // the last frame's flags, before the end record
  header.startState = 3;
  // The reader's other reasons are the journal tests' tables; the program passes each on alike.
  const struct { std::string bytes, reason; } cases[] = {
      {"GIF89a...", "it is not a Sorca journal"},
      {damaged, "the record after frame 2 (byte " + std::to_string(damaged.size() - 3) + ") is damaged: an unknown record type"},
      {Encode(header, frames), "it starts in state 3, which this Sorca does not have"},
  };
  std::string said, printed;
  for (const auto& c : cases) {
    WriteAll(path, c.bytes);
    EXPECT_EQ(RunProgram("--replay '" + path + "'", &said, &printed), 2) << c.reason;
    EXPECT_EQ(said, "sorca: cannot replay '" + path + "': " + c.reason + "\n");
    EXPECT_EQ(printed, "") << "no engine started for: " << c.reason;
  }
  std::remove(path.c_str());
  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said, &printed), 2);
  EXPECT_EQ(said, "sorca: cannot replay '" + path + "': there is no such file\n");
  EXPECT_EQ(RunProgram("--replay /tmp", &said, &printed), 2);
  EXPECT_EQ(said, "sorca: cannot replay '/tmp': it is a directory\n");
  // Another window size is only known once the engine runs; it still starts no frame.
  header.startState = kStateLevel1;
  header.windowWidth = 1024;
  WriteAll(path, Encode(header, frames));
  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said, &printed), 2);
  EXPECT_EQ(said, "sorca: cannot replay '" + path + "': it was recorded in a 1024 x 600 window, this Sorca's is 800 x 600\n");
}

}  // namespace
