#ifndef SORCA_WHOLE_GAME_PLAYER_H
#define SORCA_WHOLE_GAME_PLAYER_H
/* WholeGamePlayer: plays Sorca through a PlayHarness the way a person does, with keys, cursor
 * moves and clicks only. It looks at the objects on screen to decide where to walk or click
 * (where the hero stands, where the pieces, the rings, the orbs and the monsters are), and
 * never writes any game state.
 *
 *   PlayHarness h;            // at the menu, as the program starts
 *   WholeGamePlayer player(h);
 *   ASSERT_TRUE(player.PlayToEnd()) << player.Failure();
 *
 * Each step plays one stage, from the screen it expects to the state that stage leads to, and
 * returns false, with Failure() saying what it saw instead, when the game does not follow. The
 * steps chain: PlayToEnd() is SkipSplash, StartGame, FirstRoomToJigsaw, WinJigsaw,
 * FirstRoomToBattle, WinBattle, LeaveStageClear, SecondRoomToRings, WinRings,
 * SecondRoomToMazes, WinMaze twice, SecondRoomToBattle, WinBattle, LeaveStageClear. A lost
 * mini-game leaves a game-over screen, which Replay leaves.
 *
 * The mazes' monsters are foreseen a 60th of a second at a time and every cell's move planned
 * again from the screen, so the player keeps up with frames of any length; but the mazes count
 * their time limit in frames, so a run far faster than 60 frames a second of game time may run
 * out of time. A steady 60 ticks a second (TNFrameRateControllerSetTimeSource) makes a run
 * repeat exactly; random draws (the jigsaw's shuffle, the orbs) may be anything: the player reads
 * the board and the orbs as they come. */
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "GameStateManager.h"
#include "Level1.h"
#include "Level2.h"
#include "LevelProgress.h"
#include "Menu.h"
#include "MazePlanner.h"
#include "MazePuzzle.h"
#include "Places.h"
#include "PlayHarness.h"
#include "Puzzle.h"
#include "RotatingPuzzle.h"
#include "Spellcast.h"
#include "TNFrameRateController.h"
#include "TNGraphics.h"
#include "TNInput.h"

class WholeGamePlayer {
 public:
  using Point = PlayHarness::Point;

  /* maxStepFrames: the most frames one step may take before it gives up. */
  explicit WholeGamePlayer(PlayHarness& h, int maxStepFrames = 6000) : h_(h), maxStepFrames_(maxStepFrames) {}

  /* From the splash to the menu after the last stage-clear screen, winning everything. */
  bool PlayToEnd() {
    return SkipSplash() && StartGame() && FirstRoomToJigsaw() && WinJigsaw() && FirstRoomToBattle() &&
           WinBattle() && LeaveStageClear() && SecondRoomToRings() && WinRings() && SecondRoomToMazes() &&
           WinMaze() && WinMaze() && SecondRoomToBattle() && WinBattle() && LeaveStageClear();
  }

  /* ---- The menu ---- */

  /* The logo splash skipped (or the menu entered again), until the menu answers. */
  bool SkipSplash() {
    if (!WaitFor("the menu", [&] { return Is<Menu>(kStateMenu); })) return false;
    Tap(TN_KEY_SPACE);
    return WaitFor("the menu faded in", [&] { return Is<Menu>(kStateMenu) && Menu_()->startButton->GetTransparency() >= 1.0f; });
  }
  /* Start, until the first room has faded in. */
  bool StartGame() {
    Click(places::kMenuStart);
    return ArriveInRoom(kStateLevel1);
  }

  /* ---- The first room ---- */

  /* The pieces from the drawer, laid on the painting: into the jigsaw. */
  bool FirstRoomToJigsaw() {
    if (!ArriveInRoom(kStateLevel1)) return false;
    return LookAt(places::kAtDrawer) && ClickInView(places::kDrawerFront) && ClickInView(places::kPieces) &&
           StepBack() && LookAt(places::kAtPainting) && ClickThen(places::kPaintingFrame, kStatePuzzle);
  }
  /* Back from the solved jigsaw: the spell items from the shelf, then the exit: into the battle. */
  bool FirstRoomToBattle() {
    if (!ArriveInRoom(kStateLevel1)) return false;
    return LookAt(places::kAtShelf) && ClickForCaption(places::kShelfItems) && StepBack() &&
           PressEAt(places::kAtExit, kStateSpellcast);
  }

  /* ---- The second room ---- */

  /* The key from the sofa, the trophy from the drawer to the shelf, then the clock: into the rings. */
  bool SecondRoomToRings() {
    if (!ArriveInRoom(kStateLevel2)) return false;
    return LookAt(places::kAtSofa) && ClickInView(places::kKey) && StepBack() && LookAt(places::kAtCabinet) &&
           ClickInView(places::kTopDrawer) && ClickInView(places::kTrophy) && LookAt(places::kAtTrophies) &&
           ClickInView(places::kTrophyPlace) && StepBack() && LookAt(places::kAtClock) &&
           ClickThen(places::kClockFace, kStateRotatingPuzzle);
  }
  /* Back from the rings: the code read off the computer, typed on the safe, then the computer:
   * into the first maze. */
  bool SecondRoomToMazes() {
    if (!ArriveInRoom(kStateLevel2)) return false;
    if (!LookAt(places::kAtComputer)) return false;
    const std::string code = SORCA_SAFE_CODE;  // what the computer's screen shows
    if (!StepBack() || !LookAt(places::kAtCabinet) || !ClickInView(places::kBottomDrawer)) return false;
    for (char digit : code) Click(places::kKeypad[digit - '0']);
    return ClickInView(places::kKeypadEnter) && StepBack() && LookAt(places::kAtComputer) &&
           ClickThen(places::kPowerButton, kStateMazeOne);
  }
  /* Back from the mazes with the new wand: the exit, into the second battle. */
  bool SecondRoomToBattle() {
    if (!ArriveInRoom(kStateLevel2)) return false;
    return PressEAt(places::kAtSecondExit, kStateSpellcastLevel2);
  }

  /* ---- End screens ---- */

  /* A click on the stage-clear screen: on to the second room, or from it to the menu. */
  bool LeaveStageClear() {
    const int from = currentStateId;
    if (!WaitFor("a stage-clear screen", [&] { return EndScreenShown() && !ReplayShown(); })) return false;
    Click({400, 300});
    const int next = from == kStateLevel1 ? kStateLevel2 : kStateMenu;
    return next == kStateMenu ? WaitFor("the menu", [&] { return Is<Menu>(kStateMenu); }) : ArriveInRoom(next);
  }
  /* Replay on a game-over screen: the lost mini-game again. */
  bool Replay() {
    const int room = currentStateId;
    if (!WaitFor("a game-over screen", [&] { return EndScreenShown() && ReplayShown(); })) return false;
    Click(places::kReplay);
    return WaitFor("the mini-game again", [&] { return currentStateId != room; });
  }
  /* ---- The mini-games ---- */

  /* Every piece swapped into its own cell, then back in the first room. */
  bool WinJigsaw() {
    if (!StartMiniGame<Puzzle>(kStatePuzzle)) return false;
    for (int cell = 0; cell < Puzzle::kPieceCount && !Jigsaw()->finished; ++cell) {
      Puzzle_Sprite *sitting = PieceIn(puzzleCellPositions[cell]), *own = PieceFor(cell);
      if (sitting == nullptr || own == nullptr) return Fail("a jigsaw cell without its piece");
      if (sitting == own) continue;
      Click(PieceCentre(sitting));
      Click(PieceCentre(own));
    }
    return WaitForRoomAfter(kStatePuzzle, kStateLevel1);
  }
  /* Every swap spent on a piece swapped with itself, then the game-over screen. */
  bool LoseJigsaw() {
    if (!StartMiniGame<Puzzle>(kStatePuzzle)) return false;
    for (int i = 0; i < Puzzle::kStartClicks * 2 && !Jigsaw()->finished; ++i)
      Click(PieceCentre(PieceIn(puzzleCellPositions[0])));
    return Lost(Jigsaw()->finished, "the jigsaw") && WaitForRoomAfter(kStatePuzzle, kStateLevel1);
  }

  /* Either battle: the wand onto every red orb it can reach without touching another. */
  bool WinBattle() { return Battle(true); }
  /* Either battle: the wand onto every orb that is not red, until no life is left. */
  bool LoseBattle() { return Battle(false); }

  /* The rings turned, band by band, the fewest clicks to the whole emblem. */
  bool WinRings() {
    if (!StartMiniGame<RotatingPuzzle>(kStateRotatingPuzzle)) return false;
    for (int band : RingClicks()) Click(RingBandPoint(band));
    return WaitForRoomAfter(kStateRotatingPuzzle, kStateLevel2);
  }

  /* Through the maze on screen to its pickup, dodging the patrols; the next maze or the room.
   * One cell at a time, planned again from what is on screen before each. */
  bool WinMaze() {
    const int id = currentStateId == kStateMazeTwo ? kStateMazeTwo : kStateMazeOne;
    if (!StartMiniGame<MazePuzzle>(id)) return false;
    for (int moves = 0, stuck = 0; !Maze()->finished && moves < 1000; ++moves) {
      // The widest berth there is room for: frames of uneven length put the patrols a little
      // off where they were foreseen.
      std::vector<MazeMove> plan;
      for (float berth : {1.4f, 1.2f, 1.05f})
        if (plan.empty()) plan = PlanMaze(true, berth);
      if (plan.empty() && ++stuck > 30) return Fail("no safe way to the pickup in maze " + std::to_string(id));
      MazeStep(plan.empty() ? MazeMove{0, 0, 0} : plan.front());
    }
    if (!Maze()->finished || Maze()->world->pickupsLeft > 0) return Fail("maze " + std::to_string(id) + " not won");
    return id == kStateMazeOne ? WaitFor("the second maze", [&] { return Is<MazePuzzle>(kStateMazeTwo); })
                               : WaitForRoomAfter(id, kStateLevel2);
  }
  /* Straight at the nearest monster in the maze on screen; then the game-over screen. */
  bool LoseMaze() {
    const int id = currentStateId;
    if (!StartMiniGame<MazePuzzle>(id)) return false;
    for (int moves = 0; !Maze()->finished && moves < 1000; ++moves) {
      const std::vector<MazeMove> plan = PlanMaze(false, 0.0f);
      MazeStep(plan.empty() ? MazeMove{0, 0, 0} : plan.front());
    }
    return Lost(Maze()->finished, "maze " + std::to_string(id)) && WaitForRoomAfter(id, kStateLevel2);
  }

  long long FramesPlayed() const { return frames_; }
  const std::string& Failure() const { return failure_; }

 private:
  /* ---- Playing ---- */

  void Frame() { h_.Frame(); ++frames_; }
  void WaitFrames(int n) { for (int i = 0; i < n && !h_.Finished(); ++i) Frame(); }
  void Tap(int key) { h_.Press(key); Frame(); Frame(); }  // a frame to see it, one to let it go
  void Click(Point p) { h_.Click(p.x, p.y); Frame(); Frame(); }
  void MoveCursor(Point p) { h_.MoveCursor(p.x, p.y); }

  bool Fail(const std::string& why) {
    std::ostringstream said;
    said << why << " (state " << currentStateId << ", frame " << frames_ << ")";
    failure_ = said.str();
    return false;
  }
  bool WaitFor(const std::string& what, const std::function<bool()>& done) {
    for (int i = 0; i < maxStepFrames_ && !done(); ++i) {
      if (h_.Finished()) return Fail("the game ended waiting for " + what);
      Frame();
    }
    return done() || Fail("waited in vain for " + what);
  }
  /* The mini-game over, and lost: it marks the game over for the room to show. */
  bool Lost(bool finished, const std::string& what) {
    return (finished && gameOverMark == kGameOverMark) || Fail(what + " not lost");
  }
  template <typename T> bool Is(int id) const { return currentStateId == id && h_.StateAs<T>() != nullptr; }

  /* ---- Rooms ---- */

  RoomLevel* Room_() const { return h_.StateAs<RoomLevel>(); }
  Menu* Menu_() const { return h_.StateAs<Menu>(); }
  int RoomView() const { return Room_() != nullptr ? Room_()->room->GetFrame() : -1; }
  bool RoomOpaque() const { return Room_() != nullptr && Room_()->room->GetTransparency() >= 1.0f; }
  bool InRoomState(int id) const {
    return currentStateId == id && nextStateId == id && Room_() != nullptr && !Room_()->leaving;
  }
  int WalkView() const { return currentStateId == kStateLevel1 ? 0 : 1; }
  /* The stage-clear or game-over picture over the whole window, answering. */
  bool EndScreenShown() const {
    return Room_() != nullptr && Room_()->room->height == 600.0 && RoomOpaque() && nextStateId == currentStateId;
  }
  bool ReplayShown() const { return Room_()->replayButton->GetTransparency() >= 1.0f; }

  /* The room faded in with the hero in it. */
  bool ArriveInRoom(int id) {
    return WaitFor("the room of state " + std::to_string(id) + " faded in", [&] {
      return InRoomState(id) && RoomView() == WalkView() && RoomOpaque() && Room_()->hero->GetTransparency() >= 1.0f;
    });
  }
  bool WaitForRoomAfter(int miniGame, int room) {
    return WaitFor("the way back from state " + std::to_string(miniGame), [&] { return InRoomState(room); }) &&
           WaitFor("the room faded in", [&] { return RoomOpaque(); });
  }
  /* A view change, then its fade-in. */
  bool WaitForView(const std::function<bool(int)>& wanted, const std::string& what) {
    return WaitFor(what, [&] { return wanted(RoomView()) && RoomOpaque(); });
  }

  /* Walks the hero to (x, y) of the room's floor, around the furniture, one axis at a time. */
  bool WalkTo(Point to) {
    for (const Point& p : Route(to))
      if (!WalkAxis(true, p.x) || !WalkAxis(false, p.y)) return false;
    return true;
  }
  /* Holds the key towards target on one axis until the hero stands on it. */
  bool WalkAxis(bool alongX, int target) {
    Hero* hero = Room_()->hero;
    auto now = [&] { return static_cast<int>(std::lround(alongX ? hero->posX : hero->posY)); };
    if (now() == target) return true;
    const int key = alongX ? (target > now() ? TN_KEY_D : TN_KEY_A) : (target > now() ? TN_KEY_W : TN_KEY_S);
    h_.KeyDown(key);
    int last = now(), still = 0;
    for (int i = 0; i < 1000 && now() != target && still < 5; ++i) {
      Frame();
      still = now() == last ? still + 1 : 0;
      last = now();
    }
    h_.KeyUp(key);
    Frame();
    return now() == target || Fail("the hero stopped at " + std::to_string(now()) + " short of " + std::to_string(target));
  }
  /* Waypoints to (x, y): the first room is two bands, the lower one narrower, walked between
   * at y 0 and where they overlap; the second goes round the table by its sides and keeps out
   * of the passage but for the exit. */
  std::vector<Point> Route(Point to) const {
    const Hero* hero = Room_()->hero;
    const int x = static_cast<int>(std::lround(hero->posX)), y = static_cast<int>(std::lround(hero->posY));
    std::vector<Point> route;
    if (currentStateId == kStateLevel1) {
      const int lowerBandX = std::min(std::max(to.x, -132), 88);  // where the bands meet
      route.push_back({x, 0});
      route.push_back({lowerBandX, 0});
      route.push_back({lowerBandX, to.y});
    } else {
      const bool belowTop = y < 12, toBelowTop = to.y < 12;
      if (belowTop) route.push_back({x < -26 ? -160 : 160, y});
      route.push_back({route.empty() ? x : route.back().x, 40});
      if (toBelowTop) {
        const int side = to.x < -26 ? -160 : 160;
        route.push_back({side, 40});
        route.push_back({side, to.y});
      }
    }
    route.push_back({to.x, route.back().y});
    route.push_back(to);
    return route;
  }

  /* E at a piece of furniture, then its close-up faded in. */
  bool LookAt(Point spot) {
    if (!WalkTo(spot)) return false;
    Tap(TN_KEY_E);
    return WaitForView([&](int v) { return v != WalkView(); }, "a close-up after E");
  }
  /* E at a spot that starts a mini-game from the room itself. */
  bool PressEAt(Point spot, int miniGame) {
    if (!WalkTo(spot)) return false;
    Tap(TN_KEY_E);
    return WaitFor("state " + std::to_string(miniGame), [&] { return currentStateId == miniGame; });
  }
  /* A click on a close-up that changes the view, then the new view faded in. */
  bool ClickInView(Point p) {
    const int before = RoomView();
    Click(p);
    return WaitForView([&](int v) { return v != before; }, "a new view after a click");
  }
  /* A click on a close-up that takes something and says so. */
  bool ClickForCaption(Point p) {
    const int before = Room_()->dialog->GetFrame();
    Click(p);
    return WaitFor("a new caption after a click", [&] { return Room_()->dialog->GetFrame() != before; });
  }
  bool ClickThen(Point p, int miniGame) {
    Click(p);
    return WaitFor("state " + std::to_string(miniGame), [&] { return currentStateId == miniGame; });
  }
  bool StepBack() {
    Tap(TN_KEY_Q);
    return WaitForView([&](int v) { return v == WalkView(); }, "the room after Q") &&
           WaitFor("the hero back", [&] { return Room_()->hero->GetTransparency() >= 1.0f; });
  }

  /* ---- Mini-games ---- */

  /* The mini-game of state id up, its intro caption clicked away. */
  template <typename T> bool StartMiniGame(int id) {
    if (!WaitFor("state " + std::to_string(id), [&] { return Is<T>(id); })) return false;
    WaitFrames(2);
    Click({400, 300});
    return true;
  }

  Puzzle* Jigsaw() const { return h_.StateAs<Puzzle>(); }
  Puzzle_Sprite* PieceIn(const TNVec2& cell) const {
    for (Puzzle_Sprite* piece : Jigsaw()->pieces)
      if (piece->position.x == cell.x && piece->position.y == cell.y) return piece;
    return nullptr;
  }
  Puzzle_Sprite* PieceFor(int cell) const {
    for (Puzzle_Sprite* piece : Jigsaw()->pieces)
      if (piece->index == cell) return piece;
    return nullptr;
  }
  /* A piece hangs below-left of its position. */
  Point PieceCentre(const Puzzle_Sprite* piece) const {
    return ToWindow(piece->position.x - Jigsaw()->pieceWidth / 2, piece->position.y - Jigsaw()->pieceHeight / 2);
  }
  static Point ToWindow(double x, double y) {
    float camX = 0.0f, camY = 0.0f;
    TNGfxGetCamPosition(&camX, &camY);
    return {static_cast<int>(std::lround(x - camX + 400)), static_cast<int>(std::lround(300 - (y - camY)))};
  }

  /* The rings: band 0 (outer) turns outer and middle, 1 (middle) middle and inner, 2 (the inner
   * disc) inner and outer. The fewest clicks from the angles on screen to the solved ones. */
  std::vector<int> RingClicks() const {
    const RotatingPuzzle* r = h_.StateAs<RotatingPuzzle>();
    using Angles = std::vector<int>;  // inner, middle, outer in steps of 45 degrees, 0..7
    auto steps = [](double degrees) { return ((static_cast<int>(std::lround(degrees / 45.0)) % 8) + 8) % 8; };
    const Angles start = {steps(r->inner->rotation), steps(r->middle->rotation), steps(r->outer->rotation)};
    const Angles goal = {steps(RotatingPuzzle::kInnerSolved), steps(RotatingPuzzle::kMiddleSolved),
                         steps(RotatingPuzzle::kOuterSolved)};
    const int turns[3][3] = {{0, 1, -1}, {-1, 1, 0}, {-1, 0, -1}};  // per band: inner, middle, outer
    std::map<Angles, std::vector<int>> seen = {{start, {}}};
    std::vector<Angles> queue = {start};
    for (std::size_t q = 0; q < queue.size(); ++q) {
      if (queue[q] == goal) return seen[queue[q]];
      for (int band = 0; band < 3; ++band) {
        Angles next = queue[q];
        for (int i = 0; i < 3; ++i) next[i] = ((next[i] + turns[band][i]) % 8 + 8) % 8;
        if (seen.count(next)) continue;
        seen[next] = seen[queue[q]];
        seen[next].push_back(band);
        queue.push_back(next);
      }
    }
    return {};
  }
  /* Half-way across the band, to the right of the centre. */
  Point RingBandPoint(int band) const {
    const RotatingPuzzle* r = h_.StateAs<RotatingPuzzle>();
    const double outer = std::sqrt(r->outer->radiusSquared), middle = std::sqrt(r->middle->radiusSquared),
                 inner = std::sqrt(r->inner->radiusSquared);
    const double along = band == 0 ? (outer + middle) / 2 : band == 1 ? (middle + inner) / 2 : inner / 2;
    return ToWindow(r->inner->posX + along, r->inner->posY);
  }

  /* The battle on screen: each frame the wand goes where the orb it wants will be next, or rests
   * where nothing will be; then the way back to the room. */
  bool Battle(bool win) {
    const int id = currentStateId == kStateSpellcastLevel2 ? kStateSpellcastLevel2 : kStateSpellcast;
    if (!StartMiniGame<Spellcast>(id)) return false;
    Spellcast* battle = h_.StateAs<Spellcast>();
    std::map<const Spells*, std::pair<double, double>> last;
    for (int i = 0; i < maxStepFrames_ && !battle->finished; ++i) {
      std::map<const Spells*, std::pair<double, double>> next;  // where each orb will be
      for (const Spells* orb : battle->orbs) {
        const auto seen = last.find(orb);
        const double vx = seen != last.end() ? orb->posX - seen->second.first : 0.0;
        const double vy = seen != last.end() ? orb->posY - seen->second.second : 0.0;
        next[orb] = {orb->posX + vx, orb->posY + vy};
      }
      last.clear();
      for (const Spells* orb : battle->orbs) last[orb] = {orb->posX, orb->posY};
      MoveCursor(WandAim(battle, next, win));
      Frame();
    }
    if (!battle->finished) return Fail("the battle went on and on");
    if (!win && !Lost(true, "the battle")) return false;
    return WaitForRoomAfter(id, id == kStateSpellcast ? kStateLevel1 : kStateLevel2);
  }
  /* The wand (40 x 40 from the cursor up and right) touches an orb (30 x 30 likewise) whose
   * corner is within 40 to the left and below or 30 to the right and above. */
  static bool Touches(double wandX, double wandY, double orbX, double orbY, double margin) {
    return orbX - 40 - margin <= wandX && wandX <= orbX + 30 + margin && orbY - 40 - margin <= wandY &&
           wandY <= orbY + 30 + margin;
  }
  static bool OnScreen(double x, double y) { return x > -395 && x < 355 && y > -295 && y < 255; }
  Point WandAim(const Spellcast* battle, const std::map<const Spells*, std::pair<double, double>>& next, bool win) const {
    const auto clearOfOthers = [&](double x, double y, const Spells* wanted, double margin) {
      for (const auto& o : next)
        if (o.first != wanted && Touches(x, y, o.second.first, o.second.second, margin)) return false;
      return true;
    };
    double bestDistance = 1e9;
    Point best = {-1, -1};
    for (const auto& o : next) {
      const bool red = o.first->GetFrame() == Spells::kRed;
      if (red != win) continue;
      const double x = o.second.first - 5, y = o.second.second - 5;
      if (!OnScreen(x, y) || !clearOfOthers(x, y, o.first, win ? 8 : -50)) continue;
      const double d = std::hypot(x, y + 200);
      if (d < bestDistance) bestDistance = d, best = {static_cast<int>(std::lround(x + 400)), static_cast<int>(std::lround(300 - y))};
    }
    if (best.x >= 0) return best;
    for (int gy = -280; gy <= 240; gy += 20)  // somewhere nothing will be, low in the view first
      for (int gx = -380; gx <= 340; gx += 20)
        if (clearOfOthers(gx, gy, nullptr, 25)) return {gx + 400, 300 - gy};
    return {400, 580};
  }

  /* ---- The mazes ---- */

  MazePuzzle* Maze() const { return h_.StateAs<MazePuzzle>(); }

  /* The earliest way, in whole cells, to a pickup (dodge: no monster comes within berth cells
   * on the way) or to the nearest monster (not dodge). */
  std::vector<MazeMove> PlanMaze(bool dodge, float berth) const {
    const MazePlanner planner(*Maze()->world, Maze()->timeLeft);
    return dodge ? planner.Plan(MazePlanner::kPickup, berth) : planner.Plan(MazePlanner::kMonster, -1.0f);
  }
  /* A move holds its key until the hero reaches the next cell's middle, then lets go for a
   * frame, which stops it there; a wait lasts its frames' worth of game time. */
  void MazeStep(const MazeMove& a) {
    if (a.key == 0) {
      double waited = 0.0;
      while (waited < MazePlanner::kWaitFrames / 60.0 - 1e-6 && Maze() != nullptr && !Maze()->finished) {
        Frame();
        waited += std::min(TNFrameRateControllerGetFrameTime(), MazeWorld::kLongestStep);
      }
      return;
    }
    const TNVec2 from = Maze()->world->Hero().position;
    const float targetX = std::floor(from.x) + 0.5f + a.dc, targetY = std::floor(from.y) + 0.5f + a.dr;
    const auto arrived = [&] {
      const TNVec2 at = Maze()->world->Hero().position;
      return (a.dc > 0 && at.x >= targetX - 1e-3f) || (a.dc < 0 && at.x <= targetX + 1e-3f) ||
             (a.dr > 0 && at.y >= targetY - 1e-3f) || (a.dr < 0 && at.y <= targetY + 1e-3f);
    };
    h_.KeyDown(a.key);
    for (int i = 0; i < 600 && Maze() != nullptr && !Maze()->finished && !arrived(); ++i) Frame();
    h_.KeyUp(a.key);
    Frame();
  }

  PlayHarness& h_;
  int maxStepFrames_;
  long long frames_ = 0;
  std::string failure_;
};

#endif
