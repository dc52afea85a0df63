// The journals kept under tests/journals/: the built program replays each, as it would a journal
// sent with a bug report, and it must go exactly as recorded and end where its session ended.
//
// After a change that alters a kept session on purpose, record the journals again with their
// players and commit them:
//   SORCA_RECORD_JOURNALS=1 /tmp/xrun.sh N build/game_tests --gtest_filter='KeptJournals.*'
// (run in build/). A journal whose player is not in this file was recorded by hand.
// menu_and_first_room.journal, the replay benchmark's and the journal fuzzer's seed, is
// PlayMenuAndFirstRoom's (SessionPlay.h): its replay is the whole game's first part, so it is
// no longer replayed here; record it again by hand with RecordSession when the first room changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "JournalReader.h"
#include "SessionPlay.h"
#include "TNFrameRateController.h"
#include "WholeGamePlayer.h"

namespace {

using namespace session_play;

std::string KeptPath(const std::string& name) { return std::string(SORCA_KEPT_JOURNALS) + "/" + name; }

/* The journal read whole: its frames and the value of a digest field in each. */
struct Kept {
  JournalHeader header;
  std::vector<JournalFrame> frames;
  std::vector<long long> Field(const std::string& name) const {
    std::vector<long long> values;
    for (std::size_t f = 0; f < header.digestFields.size(); ++f)
      if (header.digestFields[f].name == name)
        for (const JournalFrame& frame : frames) values.push_back(frame.digest[f]);
    return values;
  }
  /* The states in the order they ran, each once per stay. */
  std::vector<long long> Stays() const {
    std::vector<long long> stays;
    for (long long state : Field("state"))
      if (stays.empty() || stays.back() != state) stays.push_back(state);
    return stays;
  }
};

/* Records the journal again when asked to; then reads it, and the program must replay it to its
 * end. False when it cannot be read. */
bool ReplayKept(const std::string& name, const Script& player, Kept* kept) {
  const std::string path = KeptPath(name);
  if (std::getenv("SORCA_RECORD_JOURNALS") != nullptr && player) {
    std::remove(path.c_str());
    std::string error;
    EXPECT_GE(RecordSession(path, player, &error, true), 0) << error;
  }
  JournalReader::Step step;
  std::string why;
  kept->frames = ReadJournal(ReadFile(path), &kept->header, &step, &why);
  EXPECT_EQ(step, JournalReader::kEnd) << name << " is refused or ends early: " << why;
  if (step != JournalReader::kEnd) return false;
  std::string said;
  EXPECT_EQ(RunProgram("--replay '" + path + "'", &said), 0) << said;
  EXPECT_NE(said.find("replayed all " + std::to_string(kept->frames.size()) + " frames as recorded"),
            std::string::npos) << said;
  return true;
}

/* The whole-game player wins everything from the splash to the menu, then quits with Exit. */
void PlayWholeGame(PlayHarness& h) {
  UseSteadySixtyFramesASecond();
  WholeGamePlayer player(h);
  const bool won = player.PlayToEnd() && player.SkipSplash();  // the menu fully back
  if (won) h.ClickAt(kMenuExit);
  TNFrameRateControllerSetTimeSource(nullptr, nullptr);
  ASSERT_TRUE(won) << player.Failure();
  ASSERT_TRUE(h.Finished());
}

/* The whole game, splash to the last stage-clear screen and back to the menu. */
TEST(KeptJournals, WholeGameReplaysToTheMenuAfterTheLastStageClear) {
  const std::string name = "whole_game.journal";
  ASSERT_TRUE(!ReadFile(KeptPath(name)).empty() || std::getenv("SORCA_RECORD_JOURNALS") != nullptr)
      << "tests/journals/" << name << " is missing";
  Kept kept;
  ASSERT_TRUE(ReplayKept(name, PlayWholeGame, &kept));
  const std::vector<long long> stays = kept.Stays(), states = kept.Field("state"),
                               marks = kept.Field("stage clear mark");
  ASSERT_GE(stays.size(), 3u);
  EXPECT_EQ(stays.front(), kStateMenu);
  EXPECT_EQ(stays.back(), kStateMenu);
  EXPECT_EQ(stays[stays.size() - 2], kStateLevel2) << "the menu comes from the second room";
  // The second room's last stay shows its stage-clear screen, after the second spell battle.
  bool stageClear = false;
  for (std::size_t i = states.size(); i-- > 0 && states[i] != kStateSpellcastLevel2;)
    stageClear |= states[i] == kStateLevel2 && marks[i] == kStageClearMark;
  EXPECT_TRUE(stageClear);
}

}  // namespace
