// The second room's safe and computer played by mouse and keyboard: the keypad's displays show
// the digits that count, the keyboard types on it (and a journal keeps that), the first step
// back from a mini-game frees the room, and the computer's power button does what its caption
// says.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Level2.h"
#include "RoomPlay.h"
#include "SecondRoom.h"
#include "SessionPlay.h"

namespace {

using namespace SecondRoom;
using namespace places;
using room_play::Ints;

const std::string kCode = SORCA_SAFE_CODE;
/* The code wrong only in its last digit. */
const std::string kWrongCode = kCode.substr(0, 3) + char('0' + (kCode[3] - '0' + 1) % 10);
const Point kLit = {200, 300};  // inside every close-up's picture
const int kHidden = -1;

int MainRowKey(char digit) { return SDLK_0 + (digit - '0'); }
int NumpadKey(char digit) { return digit == '0' ? SDLK_KP_0 : SDLK_KP_1 + (digit - '1'); }

class SafeTest : public room_play::RoomTest<Level2, kStateLevel2> {
 protected:
  Ints Digits() {  // the digit each display shows, kHidden for none
    Ints shown;
    for (Numbers* d : level()->digits) shown.push_back(d->GetTransparency() > 0.0f ? d->GetFrame() : kHidden);
    return shown;
  }
  void ToKeypad() {
    OpenAt(kAtCabinet, kLit); h->ClickAt(kBottomDrawer); h->Frames(kRoomFadeIn);
    ASSERT_EQ(Shown()[0], kViewKeypad);
  }
  void Click(const std::string& keys) {  // digits, 'd' delete, 'e' enter, on the screen's keys
    for (char k : keys) h->ClickAt(k == 'd' ? kKeypadDelete : k == 'e' ? kKeypadEnter : kKeypad[k - '0']);
  }
};

TEST_F(SafeTest, TheDisplaysShowExactlyTheDigitsThatCount) {
  const struct { std::string keys; Ints digits; int caption; } cases[] = {
      {kWrongCode + "e", {kHidden, kHidden, kHidden, kHidden}, kCaptionWrongCode},
      {kWrongCode + "ed", {kHidden, kHidden, kHidden, kHidden}, kCaptionWrongCode},
      {kWrongCode + "e9", {9, kHidden, kHidden, kHidden}, kCaptionKeypad},
      {"12d", {1, kHidden, kHidden, kHidden}, kCaptionKeypad},
      {"1234dd5", {1, 2, 5, kHidden}, kCaptionKeypad},
      {"d7", {7, kHidden, kHidden, kHidden}, kCaptionKeypad},
  };
  for (const auto& c : cases) {
    Start(); ToKeypad(); Click(c.keys);
    EXPECT_EQ(Digits(), c.digits) << c.keys;
    EXPECT_EQ(Shown(), (Ints{kViewKeypad, c.caption, 0})) << c.keys;
  }
  Click("d" + kCode + "e");  // after "d7" the seven no longer counts
  EXPECT_EQ(Shown()[0], kViewSafeOpen);
}

/* Both rows of digits, both Enters, Backspace and Delete: a wrong code, then the right one. */
std::vector<int> KeyboardEntry() {
  std::vector<int> keys;
  for (char d : kWrongCode.substr(0, 3)) keys.push_back(MainRowKey(d));
  keys.insert(keys.end(), {SDLK_BACKSPACE, NumpadKey(kWrongCode[2]), NumpadKey(kWrongCode[3]), SDLK_KP_ENTER});
  for (char d : kCode) keys.push_back(NumpadKey(d));
  keys.insert(keys.end(), {SDLK_DELETE, MainRowKey(kCode[3]), SDLK_RETURN});
  return keys;
}

TEST_F(SafeTest, TheKeyboardTypesOnTheKeypadAsItsKeysDo) {
  Start(); ToKeypad();
  const std::vector<int> keys = KeyboardEntry();
  Ints shown;  // how many displays show a digit after each key but the last
  for (std::size_t i = 0; i + 1 < keys.size(); ++i) {
    h->Tap(keys[i]);
    const Ints digits = Digits();
    shown.push_back(4 - static_cast<int>(std::count(digits.begin(), digits.end(), kHidden)));
    if (keys[i] == SDLK_KP_ENTER) {
      EXPECT_EQ(Shown()[1], kCaptionWrongCode);
    }
  }
  EXPECT_EQ(shown, (Ints{1, 2, 3, 2, 3, 4, 0, 1, 2, 3, 4, 3, 4}));
  EXPECT_EQ(Tap(keys.back()), (Ints{kViewSafeOpen, kCaptionSafeOpen, 0}));
}

TEST(SafeSession, TheKeypadTypedOnTheKeyboardIsRecordedAndReplayed) {
  const std::string path = testing::TempDir() + "keypad-" + std::to_string(getpid()) + ".journal";
  std::remove(path.c_str());
  std::string error;
  const long long frames = session_play::RecordSession(path, [](PlayHarness& h) {
    h.Frames(kRoomFadeIn);
    h.Hold(TN_KEY_D, 60);  // along the top of the table to the cabinet
    h.Hold(TN_KEY_W, 28);
    h.Tap(TN_KEY_E); h.Frames(kRoomFadeIn);
    h.ClickAt(kBottomDrawer); h.Frames(kRoomFadeIn);
    for (int key : KeyboardEntry()) h.Tap(key);
    h.Frames(kRoomFadeIn);
    ASSERT_EQ(h.StateAs<Level2>()->room->GetFrame(), kViewSafeOpen);
  }, &error, false, kStateLevel2);
  ASSERT_GT(frames, 0) << error;
  std::string said;
  EXPECT_EQ(session_play::RunProgram("--replay '" + path + "'", &said), 0) << said;
  EXPECT_NE(said.find("replayed all " + std::to_string(frames) + " frames as recorded"), std::string::npos) << said;
  std::remove(path.c_str());
}

/* Back from the rings or the mazes, one step along either axis frees the room. */
TEST_F(SafeTest, TheFirstStepOffTheStartAlongEitherAxisEndsTheMiniGamesCaption) {
  const struct { int miniGame, key, computerView; } cases[] = {
      {kRingsSolved, TN_KEY_W, kViewComputerOn}, {kRingsSolved, TN_KEY_D, kViewComputerOn},
      {kMazeTwoEnded, TN_KEY_W, kViewComputerOff}, {kMazeTwoEnded, TN_KEY_A, kViewComputerOff}};
  for (const auto& c : cases) {
    lastMiniGame = c.miniGame;
    Start(); h->Frames(5);
    EXPECT_EQ(lastMiniGame, c.miniGame) << "no step yet";
    h->Hold(c.key, 1);
    EXPECT_EQ(lastMiniGame, 0) << c.miniGame << " " << c.key;
    EXPECT_EQ(OpenAt(kAtComputer, kLit)[0], c.computerView) << c.miniGame << " " << c.key;
  }
}

/* With the safe open, the computer starts the maze once the clock is solved, as its caption says. */
TEST_F(SafeTest, TheComputersPowerButtonAgreesWithItsCaption) {
  const struct { int miniGameBefore, caption, hover, state; } cases[] = {
      {0, kCaptionComputerDead, 0, kStateLevel2},  // the safe opened before the rings
      {kRingsSolved, kCaptionComputerReady, 1, kStateMazeOne}};
  for (const auto& c : cases) {
    lastMiniGame = c.miniGameBefore;
    Start();
    StandAt(kAtNothing); h->Frame();
    ToKeypad();
    Click(kCode + "e");
    ASSERT_EQ(Shown()[0], kViewSafeOpen);
    h->Frames(kRoomFadeIn); StepBackTo(kViewLounge);
    EXPECT_EQ(OpenAt(kAtComputer, kLit), (Ints{kViewComputerOff, c.caption, 0}));
    EXPECT_EQ(Hover(kPowerButton)[2], c.hover) << c.caption;
    h->ClickAt(kPowerButton); h->Frames(kLeaveFrames + 1);
    EXPECT_EQ(currentStateId, c.state) << c.caption;
  }
}

}  // namespace
