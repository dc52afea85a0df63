#include "SoundManager.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

/*
 * Decoding a one-minute Ogg track takes about a tenth of a second, and a
 * state creates and plays its tracks while it is being built. So decoding
 * runs on a worker thread, in creation order (a track that is asked to play
 * jumps the queue), and a play that comes early reserves a channel that the
 * worker starts when the track is ready. A decoded track (ten megabytes a
 * minute) is kept while a clip of it lives, and one update longer: a state
 * that follows with the same track finds it decoded, and the tracks of the
 * states left behind do not add up.
 *
 * Quitting waits for nothing audible: a decoding under way gives up at its
 * next read, and the audio device, once opened, stays open (see SoundClose).
 *
 * Everything the worker touches besides the decoder is guarded by gLock.
 */

namespace {

enum class DecodeState { Queued, Ready, Failed };

struct CachedSound {
  std::string path;
  Mix_Chunk* chunk = nullptr;
  DecodeState state = DecodeState::Queued;
  /* The mixer halts any channel that still plays it. */
  ~CachedSound() { Mix_FreeChunk(chunk); }
};

/* Who a mixer channel belongs to, and whether it waits for its decoding. */
struct ChannelUse {
  const SoundData* owner = nullptr;
  bool pending = false;
};

}  // namespace

struct SoundData {
  std::shared_ptr<CachedSound> cached;
  bool loop;
};

static const int kFrequency = 44100;
static const int kChunkSamples = 2048;

static bool gOpen = false;
/* Stays true after SoundClose: the device lives as long as the process. */
static bool gDeviceOpen = false;
static float gVolume = 1.0f;
static bool gMuted = false;
static bool gPaused = false;

static std::mutex gLock;
static std::condition_variable gQueueChanged;
static std::condition_variable gDecodeDone;
/* A track whose clips are all gone by its turn is not decoded at all. */
static std::deque<std::weak_ptr<CachedSound>> gQueue;
static bool gDecoding = false;
/* Read by the worker outside gLock too, between reads of a file. */
static std::atomic<bool> gStopping{false};
static std::thread gWorker;
static std::vector<ChannelUse> gChannels;
/* Touched by the game thread only. The clips own their tracks; the cache
 * only finds a track that some clip still holds. */
static std::unordered_map<std::string, std::weak_ptr<CachedSound>> gCache;
/* Tracks of clips released since the last update, and before it. */
static std::vector<std::shared_ptr<CachedSound>> gReleasedNow, gReleasedBefore;
static int gLiveClips = 0;

/* ---- Device */

static bool OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kChunkSamples) == 0) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}

/* A machine without a sound card still gets a working mixer that plays
 * into SDL's dummy driver, so the game behaves the same, only silently. */
static bool OpenDeviceOrDummy() {
  if (OpenDevice()) return true;
  std::fprintf(stderr, "Sound: no audio device (%s); the game runs silently\n", SDL_GetError());
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  bool opened = OpenDevice();
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  return opened;
}

static int EffectiveVolume() {
  return gMuted ? 0 : static_cast<int>(std::lround(gVolume * MIX_MAX_VOLUME));
}

/* ---- Playback (gLock held) */

static void StartPlayback(int channel, const SoundData* data) {
  ChannelUse& use = gChannels[channel];
  use.pending = false;
  // A paused group must not let a new clip sound for the moment it takes to
  // pause it: start it muted, pause, then give it its volume.
  Mix_Volume(channel, gPaused ? 0 : EffectiveVolume());
  if (Mix_PlayChannel(channel, data->cached->chunk, data->loop ? -1 : 0) < 0) {
    use.owner = nullptr;
    return;
  }
  if (gPaused) {
    Mix_Pause(channel);
    Mix_Volume(channel, EffectiveVolume());
  }
}

static int ReserveChannel(const SoundData* data) {
  for (size_t i = 0; i < gChannels.size(); ++i) {
    int channel = static_cast<int>(i);
    if (gChannels[i].pending || Mix_Playing(channel)) continue;
    gChannels[i].owner = data;
    return channel;
  }
  return -1;
}

static void StopChannel(int channel) {
  ChannelUse& use = gChannels[channel];
  if (!use.pending) Mix_HaltChannel(channel);
  use.pending = false;
  use.owner = nullptr;
}

static void StartWaitingPlaybacks(const CachedSound* sound) {
  for (size_t i = 0; i < gChannels.size(); ++i) {
    ChannelUse& use = gChannels[i];
    if (!use.pending || use.owner->cached.get() != sound) continue;
    if (sound->state == DecodeState::Ready) {
      StartPlayback(static_cast<int>(i), use.owner);
    } else {
      use.pending = false;
      use.owner = nullptr;
    }
  }
}

static void MoveToFrontOfQueue(const CachedSound* sound) {
  auto found = std::find_if(gQueue.begin(), gQueue.end(),
                            [sound](const std::weak_ptr<CachedSound>& s) { return s.lock().get() == sound; });
  if (found == gQueue.end() || found == gQueue.begin()) return;
  std::weak_ptr<CachedSound> moved = *found;
  gQueue.erase(found);
  gQueue.push_front(moved);
}

/* ---- Decoding */

/* The worker reads its files through this stream, which fails every read
 * and every seek once the worker is told to stop, so that a quit never waits
 * for a long track's decoding. Seeks must fail too: the Ogg reader searches
 * the file for its last page, and with seeks that still work and reads that
 * find nothing that search never ends. */
static SDL_RWops* FileOf(SDL_RWops* stream) { return static_cast<SDL_RWops*>(stream->hidden.unknown.data1); }

static size_t SDLCALL ReadUnlessStopping(SDL_RWops* stream, void* buffer, size_t size, size_t count) {
  if (gStopping) return 0;
  return SDL_RWread(FileOf(stream), buffer, size, count);
}

static Sint64 SDLCALL SizeOfFile(SDL_RWops* stream) { return SDL_RWsize(FileOf(stream)); }

static Sint64 SDLCALL SeekInFile(SDL_RWops* stream, Sint64 offset, int whence) {
  if (gStopping) return -1;
  return SDL_RWseek(FileOf(stream), offset, whence);
}

static size_t SDLCALL WriteNothing(SDL_RWops*, const void*, size_t, size_t) { return 0; }

static int SDLCALL CloseFile(SDL_RWops* stream) {
  const int result = SDL_RWclose(FileOf(stream));
  SDL_FreeRW(stream);
  return result;
}

static SDL_RWops* OpenUnlessStopping(const char* path) {
  SDL_RWops* file = SDL_RWFromFile(path, "rb");
  if (!file) return nullptr;
  SDL_RWops* stream = SDL_AllocRW();
  if (!stream) {
    SDL_RWclose(file);
    return nullptr;
  }
  stream->size = SizeOfFile;
  stream->seek = SeekInFile;
  stream->read = ReadUnlessStopping;
  stream->write = WriteNothing;
  stream->close = CloseFile;
  stream->type = SDL_RWOPS_UNKNOWN;
  stream->hidden.unknown.data1 = file;
  return stream;
}

/* A decoding cut short by a stop may have produced the start of the track. */
static Mix_Chunk* Decode(const std::string& path) {
  SDL_RWops* stream = OpenUnlessStopping(path.c_str());
  // The stream is closed here, not by the mixer: a read that fails on its
  // first bytes makes the mixer give up without closing what it was given.
  Mix_Chunk* chunk = stream ? Mix_LoadWAV_RW(stream, 0) : nullptr;
  if (stream) SDL_RWclose(stream);
  if (gStopping) {
    Mix_FreeChunk(chunk);
    return nullptr;
  }
  if (!chunk) std::fprintf(stderr, "Sound: cannot decode \"%s\": %s\n", path.c_str(), Mix_GetError());
  return chunk;
}

#ifndef __EMSCRIPTEN__
static void DecodeLoop() {
  for (;;) {
    std::shared_ptr<CachedSound> job;
    {
      std::unique_lock<std::mutex> lock(gLock);
      gQueueChanged.wait(lock, [] { return gStopping || !gQueue.empty(); });
      if (gStopping) break;
      job = gQueue.front().lock();
      gQueue.pop_front();
      if (!job) {
        gDecodeDone.notify_all();
        continue;
      }
      gDecoding = true;
    }
    Mix_Chunk* chunk = Decode(job->path);
    {
      std::lock_guard<std::mutex> lock(gLock);
      job->chunk = chunk;
      job->state = chunk ? DecodeState::Ready : DecodeState::Failed;
      StartWaitingPlaybacks(job.get());
      // Let go before saying done: a track whose clips went meanwhile is freed
      // here, and one waiting for SoundFinishLoading finds no leftover holder.
      job.reset();
      gDecoding = false;
    }
    gDecodeDone.notify_all();
  }
  // SDL keeps an error message per thread (a file it could not open sets
  // one) and frees it by itself only on threads it made.
  SDL_TLSCleanup();
}
#endif

#ifdef __EMSCRIPTEN__
/* A page without cross-origin isolation has no threads: the main loop
 * decodes the next queued track at each update instead, one a frame. */
static void DecodeNextQueued() {
  std::shared_ptr<CachedSound> job;
  while (!job && !gQueue.empty()) {
    job = gQueue.front().lock();
    gQueue.pop_front();
  }
  if (!job) return;
  job->chunk = Decode(job->path);
  job->state = job->chunk ? DecodeState::Ready : DecodeState::Failed;
  StartWaitingPlaybacks(job.get());
}
#endif

static void StopWorker() {
  {
    std::lock_guard<std::mutex> lock(gLock);
    gStopping = true;
    gQueue.clear();
  }
  gQueueChanged.notify_all();
  if (gWorker.joinable()) gWorker.join();
  gDecoding = false;
}

/* Reads the first bytes so that a missing or foreign file is reported when
 * the clip is created, not later on the worker. */
static bool LooksLikeSoundFile(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    std::fprintf(stderr, "Sound: cannot open \"%s\": %s\n", path, std::strerror(errno));
    return false;
  }
  char magic[4] = {0};
  size_t got = std::fread(magic, 1, sizeof magic, file);
  std::fclose(file);
  bool known = got == sizeof magic && (std::memcmp(magic, "OggS", 4) == 0 || std::memcmp(magic, "RIFF", 4) == 0);
  if (!known) std::fprintf(stderr, "Sound: \"%s\" is not an Ogg file\n", path);
  return known;
}

static std::shared_ptr<CachedSound> FindOrQueue(const char* path) {
  auto found = gCache.find(path);
  if (found != gCache.end()) {
    if (std::shared_ptr<CachedSound> held = found->second.lock()) return held;
  }
  auto sound = std::make_shared<CachedSound>();
  sound->path = path;
  gCache[path] = sound;
  if (!LooksLikeSoundFile(path)) {
    sound->state = DecodeState::Failed;
    return sound;
  }
  {
    std::lock_guard<std::mutex> lock(gLock);
    gQueue.push_back(sound);
  }
  gQueueChanged.notify_one();
  return sound;
}

static bool HasFailed(const CachedSound& sound) {
  std::lock_guard<std::mutex> lock(gLock);
  return sound.state == DecodeState::Failed;
}

/* ---- Interface */

/* A sound system starts loud, unmuted and running. */
static void ResetGroupState() {
  std::lock_guard<std::mutex> lock(gLock);
  gVolume = 1.0f;
  gMuted = false;
  gPaused = false;
}

void SoundInit(int maxChannels) {
  if (gOpen) return;
  ResetGroupState();
  if (!gDeviceOpen) gDeviceOpen = OpenDeviceOrDummy();
  if (!gDeviceOpen) {
    std::fprintf(stderr, "Sound: cannot open any audio device (%s)\n", SDL_GetError());
    return;
  }
  Mix_Init(MIX_INIT_OGG);
  int channels = Mix_AllocateChannels(std::max(1, maxChannels));
  gChannels.assign(channels, ChannelUse());
  Mix_Volume(-1, EffectiveVolume());
  gStopping = false;
#ifndef __EMSCRIPTEN__
  gWorker = std::thread(DecodeLoop);
#endif
  // Fatal engine reports end the program with exit(); a still joinable worker
  // would turn that exit code 1 into an abort.
  static const bool stopsAtExit = std::atexit(StopWorker) == 0;
  (void)stopsAtExit;
  gOpen = true;
}

SoundClip* SoundCreate(const char* path, bool loop) {
  SoundClip* clip = new SoundClip{nullptr, -1};
  ++gLiveClips;
  if (!gOpen || !path) return clip;
  std::shared_ptr<CachedSound> sound = FindOrQueue(path);
  if (!HasFailed(*sound)) clip->sound = new SoundData{sound, loop};
  return clip;
}

bool SoundRelease(SoundClip* clip) {
  if (!clip) return false;
  bool hadSound = clip->sound != nullptr;
  if (hadSound && gOpen) {
    // Like any sound library's release: playbacks of the clip end with it.
    std::lock_guard<std::mutex> lock(gLock);
    for (size_t i = 0; i < gChannels.size(); ++i) {
      if (gChannels[i].owner == clip->sound) StopChannel(static_cast<int>(i));
    }
  }
  if (hadSound && gOpen) gReleasedNow.push_back(clip->sound->cached);
  delete clip->sound;
  delete clip;
  --gLiveClips;
  return hadSound;
}

void SoundPlay(SoundClip* clip) {
  if (!gOpen || !clip || !clip->sound) return;
  std::lock_guard<std::mutex> lock(gLock);
  const CachedSound& sound = *clip->sound->cached;
  if (sound.state == DecodeState::Failed) return;
  int channel = ReserveChannel(clip->sound);
  clip->channel = channel;
  if (channel < 0) return;
  if (sound.state == DecodeState::Ready) {
    StartPlayback(channel, clip->sound);
  } else {
    gChannels[channel].pending = true;
    MoveToFrontOfQueue(&sound);
  }
}

void SoundStop(SoundClip* clip) {
  if (!gOpen || !clip || !clip->sound || clip->channel < 0) return;
  std::lock_guard<std::mutex> lock(gLock);
  if (clip->channel >= static_cast<int>(gChannels.size())) return;
  // The channel may since have finished and been given to another clip.
  if (gChannels[clip->channel].owner == clip->sound) StopChannel(clip->channel);
}

bool SoundIsPlaying() {
  if (!gOpen) return false;
  std::lock_guard<std::mutex> lock(gLock);
  if (Mix_Playing(-1) > 0) return true;
  return std::any_of(gChannels.begin(), gChannels.end(), [](const ChannelUse& use) { return use.pending; });
}

int SoundSetMute(bool mute) {
  std::lock_guard<std::mutex> lock(gLock);
  gMuted = mute;
  if (!gOpen) return -1;
  Mix_Volume(-1, EffectiveVolume());
  return 0;
}

void SoundSetPaused(bool paused) {
  std::lock_guard<std::mutex> lock(gLock);
  gPaused = paused;
  if (!gOpen) return;
  if (paused) {
    Mix_Pause(-1);
  } else {
    Mix_Resume(-1);
  }
}

int SoundChangeVolume(float step) {
  std::lock_guard<std::mutex> lock(gLock);
  float volume = gVolume + step;
  if (volume < 0.0f) {
    volume = 0.0f;
  } else if (volume > 1.0f) {
    volume = 1.0f;
  }
  gVolume = volume;
  if (!gOpen) return -1;
  Mix_Volume(-1, EffectiveVolume());
  return 0;
}

/* The mixer runs on its own thread and the worker starts waiting clips; what
 * is left is to let go of the tracks no clip has taken up again since the
 * update before. */
void SoundUpdate() {
  gReleasedBefore.clear();
  gReleasedBefore.swap(gReleasedNow);
#ifdef __EMSCRIPTEN__
  if (gOpen) DecodeNextQueued();
#endif
}

void SoundFinishLoading() {
  if (!gOpen) return;
#ifdef __EMSCRIPTEN__
  while (!gQueue.empty()) DecodeNextQueued();
#endif
  std::unique_lock<std::mutex> lock(gLock);
  gDecodeDone.wait(lock, [] { return gQueue.empty() && !gDecoding; });
}

bool SoundClose() {
  ResetGroupState();
  if (!gOpen) return true;
  StopWorker();
  Mix_HaltChannel(-1);
  gReleasedNow.clear();
  gReleasedBefore.clear();
  for (auto& entry : gCache) {
    std::shared_ptr<CachedSound> sound = entry.second.lock();
    if (!sound) continue;
    Mix_FreeChunk(sound->chunk);
    sound->chunk = nullptr;
    // Clips that outlive the device keep a sound that plays nothing.
    sound->state = DecodeState::Failed;
  }
  gCache.clear();
  gChannels.clear();
  // Closing the device would make SDL play out two buffers of silence
  // first (92 ms at 2048 samples), and every quit would wait for them. With
  // every channel halted the device only mixes silence: it ends with the
  // process, or the next SoundInit takes it up again.
  gOpen = false;
  return true;
}

float SoundGetVolume() { return gVolume; }
bool SoundIsMuted() { return gMuted; }
bool SoundIsPaused() { return gPaused; }

int SoundClipCount() { return gLiveClips; }

int SoundDecodedCount() {
  std::lock_guard<std::mutex> lock(gLock);
  int decoded = 0;
  for (const auto& entry : gCache) {
    std::shared_ptr<CachedSound> sound = entry.second.lock();
    if (sound && sound->chunk != nullptr) ++decoded;
  }
  return decoded;
}
