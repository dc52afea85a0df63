#include "Particle.h"

#include "LevelProgress.h"
#include "TNMath.h"

namespace {

/* Spawns are handed out over the first records only, round and round. */
const int kSpawnCycle = 30;
const int kRecordLifetime = 10;
const int kColourCount = 5;
const int kDegreesInCircle = 360;

}  // namespace

Particle::Particle() : count(kPoolSize), spawnCursor(0) {
  TNSRand(TNRandClockSeed());
}

Particle::~Particle() {
  for (ParticleSprite* dot : sprites) delete dot;
}

void Particle::Init() {
  sprites.reserve(count);
  systems.reserve(count);
  for (int i = 0; i < count; ++i) {
    ParticleSprite* dot = new ParticleSprite;
    AddObject(dot);
    dot->SetTransparency(0.0f);
    sprites.push_back(dot);
    systems.push_back(ParticleSystem{i, kRecordLifetime});
  }
}

void Particle::HideAll() {
  for (ParticleSprite* dot : sprites) dot->SetTransparency(0.0f);
}

/* The countdown doubles as a frame counter; the later in its run and the
 * further the spawn cursor, the rarer the spawns. */
bool Particle::SpawnAllowed() {
  countdown.Tick();
  if (countdown.GetCount() < 0.0) countdown.ResetCount();
  const double value = countdown.GetCount();
  return value - 3.0 * spawnCursor >= value / 60.0;
}

/* Each hidden dot draws a ring as it comes up; once one draws 0, no more
 * dots come up in that step, so only a few do each frame. */
void Particle::Spawn(ParticleSprite* dot, bool* spawning) {
  if (TNRand() % (kRings + 1) == 0) *spawning = false;
  if (*spawning) dot->SetTransparency(1.0f);
}

/* Ring 0 would be the pointer itself: a dot drawn there goes out instead. */
void Particle::Place(ParticleSprite* dot, float cursorX, float cursorY) {
  const int ring = TNRand() % (kRings + 1);
  const float angle = TNDegToRad(static_cast<float>(TNRand() % kDegreesInCircle));
  if (ring == 0) {
    dot->SetTransparency(0.0f);
    return;
  }
  const float distance = kRingSpacing * ring;
  dot->posX = cursorX + TNCos(angle) * distance;
  dot->posY = cursorY + TNSin(angle) * distance;
}

void Particle::Update(float cursorX, float cursorY) {
  if (hotspotHover == 0) {
    HideAll();
    return;
  }
  if (!SpawnAllowed()) return;
  bool spawning = true;
  for (ParticleSprite* dot : sprites) {
    if (spawnCursor == kSpawnCycle) spawnCursor = 0;
    if (spawning && dot->GetTransparency() == 0.0f && systems[spawnCursor].index == spawnCursor)
      Spawn(dot, &spawning);
    ++spawnCursor;
    if (dot->GetTransparency() > 0.0f) {
      dot->SetFrame(TNRand() % kColourCount);
      Place(dot, cursorX, cursorY);
    }
  }
}
