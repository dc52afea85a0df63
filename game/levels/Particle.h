#ifndef SORCA_PARTICLE_H
#define SORCA_PARTICLE_H
/*
 * The cursor sparkle of the room levels: while the cursor is over a
 * clickable spot (hotspotHover), a pool of small dots flickers around it in
 * random colours; elsewhere every dot is hidden.
 *
 * The dots live in the object registry, so the level's own frame draws
 * them; the level only calls Update with the cursor at the start of every
 * frame. All dots share the velocity of the latest spawn, and each step is
 * the main loop's frame time long.
 */
#include <vector>

#include "BaseGameState.h"
#include "CountdownText.h"
#include "ParticleSprite.h"
#include "ParticleSystem.h"

class Particle : public BaseGameState {
 public:
  static const int kPoolSize = 100;

  /* Seeds the engine's random numbers with the time of day. */
  Particle();
  /* Deletes every dot; the registry must no longer hold them. */
  ~Particle() override;

  /* Builds the pool: kPoolSize transparent dots, filed in the registry. */
  void Init();
  /* One step of the sparkle around the cursor (world units). */
  void Update(float cursorX, float cursorY);
  using BaseGameState::Update;

  float velocityX;
  float velocityY;
  std::vector<ParticleSystem> systems;
  std::vector<ParticleSprite*> sprites;
  CountdownText countdown;
  int count;
  int spawnCursor;

 private:
  void HideAll();
  bool SpawnAllowed();
  void Spawn(ParticleSprite* dot, float* speed, float cursorX, float cursorY);
  void Place(ParticleSprite* dot, float cursorX, float cursorY);
};

#endif
