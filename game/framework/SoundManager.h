#ifndef SORCA_SOUND_MANAGER_H
#define SORCA_SOUND_MANAGER_H
/*
 * The sound manager: every clip plays in one group, so mute, pause and
 * volume act on all sounds at once and carry over to clips created later.
 * Without an audio device, or with a file that cannot be decoded, every call
 * stays harmless and the game runs silently.
 *
 * Creating a clip is cheap: its file is decoded in the background, so
 * building a state never waits for its music, and the decoded track is kept
 * while any clip of it lives (and until the next SoundUpdate after the last
 * is released, for the state that comes next). A clip played before its
 * decoding is done starts as soon as it is.
 */

struct SoundData;

/* A loaded sound and the channel of its last playback (-1 before the first). */
struct SoundClip {
  SoundData* sound;   /* null when the file could not be read */
  int channel;
};

/* Opens the audio device with maxChannels channels; falls back to a silent
 * device when there is none. */
void SoundInit(int maxChannels);
/* Never null; the clip has no sound when the file is missing or not Ogg. */
SoundClip* SoundCreate(const char* path, bool loop);
/* Stops the clip's playbacks and deletes it; true when it had a sound. */
bool SoundRelease(SoundClip* clip);
/* Starts a new playback; earlier ones of the same clip go on. */
void SoundPlay(SoundClip* clip);
/* Stops the last playback only; nothing when the clip never played. */
void SoundStop(SoundClip* clip);
/* True while any playback runs (paused ones included) or waits to start. */
bool SoundIsPlaying();
/* The two setters below return 0 on success, like the library results they stand for. */
int SoundSetMute(bool mute);
void SoundSetPaused(bool paused);
/* Adds step to the group volume, clamped to [0, 1]. */
int SoundChangeVolume(float step);
void SoundUpdate();
/* Waits until every clip created so far is decoded (or failed to decode). */
void SoundFinishLoading();
bool SoundClose();

/* The group's state, for the options panel and the tests. */
float SoundGetVolume();
bool SoundIsMuted();
bool SoundIsPaused();

/* For leak checks: clips created and not yet released, and tracks held decoded in memory. */
int SoundClipCount();
int SoundDecodedCount();

#endif
