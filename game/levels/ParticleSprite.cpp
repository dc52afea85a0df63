#include "ParticleSprite.h"

ParticleSprite::ParticleSprite() : Sprite("Resources/Animation/Particle/PARTICLE_WHITE.png", 5.0, 5.0) {
  AddFrame("Resources/Animation/Particle/PARTICLE_BLUE.png");
  AddFrame("Resources/Animation/Particle/PARTICLE_GREEN.png");
  AddFrame("Resources/Animation/Particle/PARTICLE_YELLOW.png");
  AddFrame("Resources/Animation/Particle/PARTICLE_PINK.png");
}

ParticleSprite::~ParticleSprite() = default;
