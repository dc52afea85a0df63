#include "GameDigest.h"

#include <cmath>
#include <vector>

#include "BaseGameState.h"
#include "GameObject.h"
#include "GameStateManager.h"
#include "Hero.h"
#include "RoomLevel.h"
#include "LevelProgress.h"
#include "MazePuzzle.h"
#include "Puzzle.h"
#include "RoomController.h"
#include "RoomScene.h"
#include "RotatingPuzzle.h"
#include "SessionDigest.h"
#include "Spellcast.h"
#include "Sprite.h"

namespace {

/* Scene objects change in most frames (fades, sparkles) and there are
 * hundreds of them with the sparkle on, so their hash is kept (and taken)
 * twice a second; the named fields every frame. */
const int kSceneHashEvery = 30;

enum Field {
  kState, kNextState, kStageClear, kGameOver, kLastMiniGame, kFullScreen,
  kHeroX, kHeroY, kRoomView, kCaption, kInventory, kRoomFlags, kTimeLeft,
  kJigsawBoard, kSwapsLeft, kInnerRing, kMiddleRing, kOuterRing, kScore, kLives, kObjects, kScene
};

const std::vector<JournalDigestField>& Fields() {
  static const std::vector<JournalDigestField> fields = {
      {"state", 1},        {"requested state", 1}, {"stage clear mark", 1}, {"game over mark", 1},
      {"last mini-game", 1}, {"full screen", 1},   {"hero x", 1},           {"hero y", 1},
      {"room view", 1},    {"caption", 1},         {"inventory", 1},        {"room progress", 1},
      {"time left", 1},    {"jigsaw board", 1},    {"swaps left", 1},       {"inner ring", 1},
      {"middle ring", 1},  {"outer ring", 1},      {"score", 1},            {"lives", 1},
      {"scene objects", 1}, {"scene hash", kSceneHashEvery}};
  return fields;
}

const std::vector<GameObject*>& SceneObjects() {
  static const std::vector<GameObject*> none;
  const ObjectRegistry& registry = BaseGameState::Registry();
  const auto found = registry.find("GAME_OBJECT");
  return found != registry.end() ? found->second : none;
}

/* FNV-1a over the bytes of each value: the same scene gives the same hash
 * on every run of the same build. */
class SceneHash {
 public:
  template <typename T> void Add(const T& value) { Bytes(&value, sizeof value); }
  void Add(const std::string& text) { Bytes(text.data(), text.size()); }
  long long Value() const { return static_cast<long long>(hash_ & 0xFFFFFFFFu); }

 private:
  void Bytes(const void* data, std::size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ p[i]) * 1099511628211ull;
  }
  unsigned long long hash_ = 14695981039346656037ull;
};

long long HashScene() {
  SceneHash hash;
  for (const GameObject* object : SceneObjects()) {
    hash.Add(object->texturePath);
    for (double v : {object->posX, object->posY, object->width, object->height, object->scaleX,
                     object->scaleY, object->rotation})
      hash.Add(v);
    hash.Add(object->transparency);
    hash.Add(object->visible);
    hash.Add(object->dead);
    if (const Sprite* sprite = dynamic_cast<const Sprite*>(object)) hash.Add(sprite->currentFrame);
  }
  return hash.Value();
}

const Hero* FindHero() {
  if (PublishedRoomScene().hero != nullptr) return PublishedRoomScene().hero;
  for (const GameObject* object : SceneObjects())
    if (const Hero* hero = dynamic_cast<const Hero*>(object)) return hero;
  return nullptr;
}

/* Each slot as a digit: 0 empty, else its item kind + 1. */
long long InventoryCode(InventoryItem* const* items) {
  long long code = 0;
  for (int i = 0; i < Inventory::kSlotCount; ++i)
    code = code * 10 + (items[i] != nullptr && items[i]->visible ? items[i]->GetFrame() + 1 : 0);
  return code;
}

/* Every progress flag of either room, one bit each. */
long long RoomFlags(const RoomController& c) {
  const unsigned char flags[] = {c.piecesTaken,  c.spellsTaken, c.puzzleSolved,      c.trophyPlaced,
                                 c.keyTaken,     c.safeOpened,  c.ringsSolved,       c.trophyTaken,
                                 c.mazeSolved,   c.wandGiven,   c.drawerCaptionDone, c.wrongCode};
  long long bits = 0;
  for (std::size_t i = 0; i < sizeof flags; ++i) bits |= static_cast<long long>(flags[i] != 0) << i;
  return bits;
}

void ReadRoom(long long* values) {
  const RoomScene& scene = PublishedRoomScene();
  if (scene.room == nullptr) return;
  values[kRoomView] = scene.room->GetFrame();
  if (scene.dialog != nullptr) values[kCaption] = scene.dialog->GetFrame();
  if (scene.items != nullptr) values[kInventory] = InventoryCode(scene.items);
  if (const RoomLevel* level = dynamic_cast<const RoomLevel*>(currentState)) {
    const RoomController* c = level->driver.controller;
    if (c != nullptr) values[kRoomFlags] = RoomFlags(*c);
  }
}

/* The jigsaw's pieces are drawn by the state, not filed as scene objects: the
 * board as twelve base-12 digits, the cell each piece lies in. */
long long JigsawBoard(const Puzzle& jigsaw) {
  long long board = 0;
  for (const Puzzle_Sprite* piece : jigsaw.pieces) {
    int cell = 0;
    while (cell < Puzzle::kPieceCount - 1 && (puzzleCellPositions[cell].x != piece->position.x ||
                                              puzzleCellPositions[cell].y != piece->position.y))
      ++cell;
    board = board * Puzzle::kPieceCount + cell;
  }
  return board;
}

/* What each mini-game counts: frames left, the jigsaw's board and swaps,
 * the rings' angles, the battle's score and lives. */
void ReadMiniGame(long long* values) {
  if (const MazePuzzle* maze = dynamic_cast<const MazePuzzle*>(currentState)) values[kTimeLeft] = maze->timeLeft;
  if (const Puzzle* jigsaw = dynamic_cast<const Puzzle*>(currentState)) {
    values[kTimeLeft] = std::llround(jigsaw->timer.GetCount());
    values[kJigsawBoard] = JigsawBoard(*jigsaw);
    values[kSwapsLeft] = jigsaw->clicksLeft;
  }
  if (const Spellcast* battle = dynamic_cast<const Spellcast*>(currentState)) {
    values[kScore] = battle->score;
    values[kLives] = battle->lives;
  }
  if (const RotatingPuzzle* rings = dynamic_cast<const RotatingPuzzle*>(currentState)) {
    values[kInnerRing] = std::llround(rings->inner->rotation);
    values[kMiddleRing] = std::llround(rings->middle->rotation);
    values[kOuterRing] = std::llround(rings->outer->rotation);
  }
}

void ReadDigest(long long* values, const bool* due) {
  values[kState] = currentStateId;
  values[kNextState] = nextStateId;
  values[kStageClear] = stageClearMark;
  values[kGameOver] = gameOverMark;
  values[kLastMiniGame] = lastMiniGame;
  values[kFullScreen] = fullScreen;
  if (const Hero* hero = FindHero()) {
    values[kHeroX] = std::llround(hero->posX);
    values[kHeroY] = std::llround(hero->posY);
  }
  ReadRoom(values);
  ReadMiniGame(values);
  values[kObjects] = static_cast<long long>(SceneObjects().size());
  if (due[kScene]) values[kScene] = HashScene();
}

}  // namespace

void RegisterGameDigest() {
  SessionSetDigest(Fields(), ReadDigest);
}
