#ifndef SORCA_PARTICLE_SYSTEM_H
#define SORCA_PARTICLE_SYSTEM_H

/* The emitter record of one sparkle dot: its place in the pool. */
struct ParticleSystem {
  int index;
  int lifetime;  /* always 10 */
};

#endif
