#ifndef SORCA_SOUND_MANAGER_H
#define SORCA_SOUND_MANAGER_H
/*
 * The sound manager: every clip plays in one group, so mute, pause and
 * volume act on all sounds at once and carry over to clips created later.
 * Without an audio device, or with a file that cannot be decoded, every call
 * stays harmless and the game runs silently.
 */

struct SoundData;

/* A loaded sound and the channel of its last playback (-1 before the first). */
struct SoundClip {
  SoundData* sound;
  int channel;
};

void SoundInit(int maxChannels);
SoundClip* SoundCreate(const char* path, bool loop);
bool SoundRelease(SoundClip* clip);
/* Starts a new playback; earlier ones of the same clip go on. */
void SoundPlay(SoundClip* clip);
/* Stops the last playback only; nothing when the clip never played. */
void SoundStop(SoundClip* clip);
bool SoundIsPlaying();
/* The two setters below return 0 on success, like the library results they stand for. */
int SoundSetMute(bool mute);
void SoundSetPaused(bool paused);
/* Adds step to the group volume, clamped to [0, 1]. */
int SoundChangeVolume(float step);
void SoundUpdate();
bool SoundClose();

/* The group's state, for the options panel and the tests. */
float SoundGetVolume();
bool SoundIsMuted();
bool SoundIsPaused();

#endif
