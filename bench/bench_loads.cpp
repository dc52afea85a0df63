// What building a state costs: decoding its images and its music.
//
// Run from the build directory under an X server, e.g.
//   DISPLAY=:1 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 ./bench_loads
// Test images and tracks are made in /tmp at start; the game's own tracks
// are measured too when Resources/Sound/BGM/ is built.
#include <GL/glew.h>
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "SoundManager.h"
#include "TNGraphics.h"
#include "TNSystem.h"

namespace {

std::string gScratch;
bool gHaveGL = false;

std::string Scratch(const char* name) { return gScratch + "/" + name; }

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

/* Photo-like pictures, so that the decoders work as hard as on real art. */
void MakeImages() {
  Run("convert -size 800x400 plasma:fractal -quality 90 " + Scratch("picture.jpg"));
  Run("convert -size 800x600 plasma:fractal \\( -size 800x600 radial-gradient: \\) "
      "-alpha off -compose CopyOpacity -composite " + Scratch("sprite.png"));
}

/* A tone on one side and noise on the other: a bit rate like busy music. */
void MakeTrack(const char* name, int seconds) {
  Run("sox -n -r 44100 -c 2 " + Scratch(name) + " synth " + std::to_string(seconds) + " sine 220 pinknoise vol 0.5");
}

void TextureLoad(benchmark::State& state, const std::string& path) {
  if (!gHaveGL) {
    state.SkipWithError("needs a display");
    return;
  }
  for (auto _ : state) {
    TNGfxTexture* texture = TNGfxTextureLoad(path.c_str());
    glFinish();   // the upload is part of the cost
    state.PauseTiming();
    if (!texture || *texture->id == 0) state.SkipWithError(("cannot load " + path).c_str());
    TNGfxTextureUnload(texture);
    state.ResumeTiming();
  }
}

void DecodeTrack(benchmark::State& state, const std::string& path) {
  SoundInit(64);
  for (auto _ : state) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    state.PauseTiming();
    if (!chunk) state.SkipWithError(("cannot decode " + path).c_str());
    Mix_FreeChunk(chunk);
    state.ResumeTiming();
  }
}

/* A fresh sound system for every iteration: nothing decoded yet. */
void ColdStart(benchmark::State& state) {
  state.PauseTiming();
  SoundClose();
  SoundInit(64);
  state.ResumeTiming();
}

/* What the game thread pays when a state creates and plays its music. */
void BM_CreateAndPlayCold(benchmark::State& state) {
  std::string track = Scratch("track60.ogg");
  for (auto _ : state) {
    ColdStart(state);
    SoundClip* clip = SoundCreate(track.c_str(), true);
    SoundPlay(clip);
    state.PauseTiming();
    SoundRelease(clip);
    state.ResumeTiming();
  }
}

/* From creation until the music actually plays. */
void BM_CreateAndPlayColdUntilAudible(benchmark::State& state) {
  std::string track = Scratch("track60.ogg");
  for (auto _ : state) {
    ColdStart(state);
    SoundClip* clip = SoundCreate(track.c_str(), true);
    SoundPlay(clip);
    SoundFinishLoading();
    state.PauseTiming();
    if (!SoundIsPlaying()) state.SkipWithError("the track did not start");
    SoundRelease(clip);
    state.ResumeTiming();
  }
}

/* Returning to a state whose music was decoded before. */
void BM_CreateAndPlayWarm(benchmark::State& state) {
  std::string track = Scratch("track60.ogg");
  SoundClose();
  SoundInit(64);
  SoundRelease(SoundCreate(track.c_str(), true));
  SoundFinishLoading();
  for (auto _ : state) {
    SoundClip* clip = SoundCreate(track.c_str(), true);
    SoundPlay(clip);
    state.PauseTiming();
    SoundRelease(clip);
    state.ResumeTiming();
  }
}

/* The game-over screen of a room: three tracks created, two played at once. */
void BM_GameOverScreenCold(benchmark::State& state) {
  const char* names[] = {"track60.ogg", "track30.ogg", "track30b.ogg"};
  for (auto _ : state) {
    ColdStart(state);
    std::vector<SoundClip*> clips;
    for (const char* name : names) clips.push_back(SoundCreate(Scratch(name).c_str(), true));
    SoundPlay(clips[0]);
    SoundPlay(clips[2]);
    state.PauseTiming();
    for (SoundClip* clip : clips) SoundRelease(clip);
    state.ResumeTiming();
  }
}

void BM_CreateFont(benchmark::State& state, const char* face, int size) {
  if (!gHaveGL) {
    state.SkipWithError("needs a display");
    return;
  }
  for (auto _ : state) {
    unsigned int font = TNGfxCreateFont(face, size, true, false);
    glFinish();
    state.PauseTiming();
    TNGfxDestroyFont(font);
    state.ResumeTiming();
  }
}

void RegisterAll() {
  using benchmark::RegisterBenchmark;
  RegisterBenchmark("TextureLoad/jpeg_800x400", TextureLoad, Scratch("picture.jpg"))->Unit(benchmark::kMillisecond);
  RegisterBenchmark("TextureLoad/png_800x600_alpha", TextureLoad, Scratch("sprite.png"))->Unit(benchmark::kMillisecond);
  RegisterBenchmark("DecodeOgg/stereo_30s", DecodeTrack, Scratch("track30.ogg"))->Unit(benchmark::kMillisecond);
  RegisterBenchmark("DecodeOgg/stereo_60s", DecodeTrack, Scratch("track60.ogg"))->Unit(benchmark::kMillisecond);
  const char* gameTracks[] = {"Menu", "LevelOne", "LevelTwo", "Lose", "StageClear"};
  for (const char* name : gameTracks) {
    std::string path = std::string("Resources/Sound/BGM/") + name + ".ogg";
    if (access(path.c_str(), R_OK) != 0) continue;
    RegisterBenchmark(("DecodeOgg/game_" + std::string(name)).c_str(), DecodeTrack, path)->Unit(benchmark::kMillisecond);
  }
  // A cold run restarts the sound system, which costs far more than what is
  // measured; a fixed count keeps the run short.
  RegisterBenchmark("SoundCreatePlay/cold", BM_CreateAndPlayCold)->Iterations(20)->Unit(benchmark::kMicrosecond);
  RegisterBenchmark("SoundCreatePlay/cold_until_audible", BM_CreateAndPlayColdUntilAudible)
      ->Iterations(20)->Unit(benchmark::kMillisecond);
  RegisterBenchmark("SoundCreatePlay/warm", BM_CreateAndPlayWarm)->Iterations(200)->Unit(benchmark::kMicrosecond);
  RegisterBenchmark("SoundCreatePlay/game_over_screen_cold", BM_GameOverScreenCold)
      ->Iterations(20)->Unit(benchmark::kMicrosecond);
  RegisterBenchmark("CreateFont/times_20_bold", BM_CreateFont, "Times New Roman", 20)->Unit(benchmark::kMillisecond);
  RegisterBenchmark("CreateFont/buxton_50_bold", BM_CreateFont, "Buxton Sketch", 50)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  gScratch = "/tmp/sorca-bench-" + std::to_string(getpid());
  Run("mkdir -p " + gScratch);
  MakeImages();
  MakeTrack("track30.ogg", 30);
  MakeTrack("track30b.ogg", 30);
  MakeTrack("track60.ogg", 60);
  gHaveGL = getenv("DISPLAY") && TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr) == 1;
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  SoundClose();
  if (gHaveGL) TNSysExit();
  Run("rm -rf " + gScratch);
  return 0;
}
