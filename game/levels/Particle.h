#ifndef SORCA_PARTICLE_H
#define SORCA_PARTICLE_H
/*
 * The cursor sparkle of the room levels: while the cursor is over a
 * clickable spot (hotspotHover), a pool of small dots flickers around it in
 * random colours; elsewhere every dot is hidden.
 *
 * The dots live in the object registry, so the level's own frame draws
 * them; the level only calls Update with the cursor at the start of every
 * frame. A few hidden dots come up each frame; every shown dot jumps to a
 * fresh place on one of four rings around the pointer, 7.5 to 30 units out,
 * in a fresh colour, or goes out, so the sparkle twinkles around the pointer
 * without covering it, whatever the frame rate.
 */
#include <vector>

#include "BaseGameState.h"
#include "CountdownText.h"
#include "ParticleSprite.h"
#include "ParticleSystem.h"

class Particle : public BaseGameState {
 public:
  static const int kPoolSize = 100;
  /* The rings a shown dot lands on, kRingSpacing units apart. */
  static const int kRings = 4;
  static constexpr float kRingSpacing = 7.5f;

  /* Seeds the engine's random numbers with the time of day. */
  Particle();
  /* Deletes every dot; the registry must no longer hold them. */
  ~Particle() override;

  /* Builds the pool: kPoolSize transparent dots, filed in the registry. */
  void Init();
  /* One step of the sparkle around the cursor (world units). */
  void Update(float cursorX, float cursorY);
  using BaseGameState::Update;

  std::vector<ParticleSystem> systems;
  std::vector<ParticleSprite*> sprites;
  CountdownText countdown;
  int count;
  int spawnCursor;

 private:
  void HideAll();
  bool SpawnAllowed();
  void Spawn(ParticleSprite* dot, bool* spawning);
  void Place(ParticleSprite* dot, float cursorX, float cursorY);
};

#endif
