#ifndef SORCA_BASE_GAME_STATE_H
#define SORCA_BASE_GAME_STATE_H
/*
 * BaseGameState: the life cycle every game state shares, driven by the state
 * loop, and the object registry holding the running state's scene objects.
 * A state adds its objects from its constructor (or its own Update); the
 * registry draws them in the order they were added.
 */
#include <cstddef>
#include <map>
#include <string>
#include <vector>

class GameObject;
class MiniGamePause;

/* Registry key -> objects in the order added (every object uses "GAME_OBJECT"). */
typedef std::map<std::string, std::vector<GameObject*>> ObjectRegistry;

class BaseGameState {
 public:
  /* States start from zero-filled storage, like scene objects. */
  static void* operator new(std::size_t size);
  static void operator delete(void* storage);

  BaseGameState() = default;
  virtual ~BaseGameState();

  /* The state's own per-frame logic, run before any object is touched. */
  virtual void Update();
  /* Update, then every live object's Update and Draw in order; objects marked
   * dead are deleted and dropped instead. */
  virtual void RunFrame();
  virtual void Load();
  virtual void Initialize();
  virtual void Free();
  /* Unloads every object, then empties the registry (deleting nothing). */
  virtual void Unload();

  /* Files object under its type; it is drawn after everything added before it. */
  void AddObject(GameObject* object);

  /* The one registry of the program. */
  static ObjectRegistry& Registry();

  /* What the state draws itself from its Update (a board, walls), for a
   * frame in which it stands still and runs no Update. */
  virtual void DrawStill();

  /* True while the player has the game stopped (a pause panel, a paused
   * mini-game): its sound stays paused when the window comes back. */
  virtual bool IsPaused() const;

  /* A mini-game's stop (Escape, the window in the background), filed among
   * its objects by its constructor; null in the menu and the rooms. */
  MiniGamePause* miniGamePause = nullptr;

  BaseGameState(const BaseGameState&) = delete;
  BaseGameState& operator=(const BaseGameState&) = delete;

 protected:
  /* A mini-game's constructor makes its stop with this. */
  void AddPause(bool resumeByClickOnly);
};

#endif
