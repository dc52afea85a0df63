#include "SoundManager.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath(const char* name) {
  return "/tmp/sorca-sound-" + std::to_string(getpid()) + "-" + name;
}

/* A short stereo Ogg tone made by sox, the same tool the asset build uses. */
std::string MakeTone(const char* name, double seconds) {
  std::string path = ScratchPath(name);
  std::string command = "sox -n -r 44100 -c 2 " + path + " synth " + std::to_string(seconds) +
                        " sine 440 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return path;
}

std::string WriteFile(const char* name, const std::string& bytes) {
  std::string path = ScratchPath(name);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

int ChannelVolume(int channel) { return Mix_Volume(channel, -1); }

class SoundManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    tone = MakeTone("tone.ogg", 1);
  }
  void TearDown() override {
    SoundClose();
    std::remove(tone.c_str());
  }
  /* Plays clip once its track is decoded, so the channel is live at return. */
  void PlayDecoded(SoundClip* clip) {
    SoundFinishLoading();
    SoundPlay(clip);
  }
  std::string tone;
};

TEST_F(SoundManagerTest, VolumeStepsDownAndUpClampAtBothEnds) {
  SoundInit(64);
  EXPECT_FLOAT_EQ(SoundGetVolume(), 1.0f);
  const float down[] = {0.7f, 0.4f, 0.1f, 0.0f, 0.0f};
  for (float expected : down) {
    SoundChangeVolume(-0.3f);
    EXPECT_NEAR(SoundGetVolume(), expected, 1e-5);
  }
  EXPECT_EQ(SoundGetVolume(), 0.0f);
  const float up[] = {0.3f, 0.6f, 0.9f, 1.0f, 1.0f};
  for (float expected : up) {
    SoundChangeVolume(0.3f);
    EXPECT_NEAR(SoundGetVolume(), expected, 1e-5);
  }
  EXPECT_EQ(SoundGetVolume(), 1.0f);
}

TEST_F(SoundManagerTest, VolumeReachesChannelsAlreadyPlayingAndLaterOnes) {
  SoundInit(64);
  SoundClip* early = SoundCreate(tone.c_str(), true);
  PlayDecoded(early);
  SoundChangeVolume(-0.3f);
  SoundChangeVolume(-0.3f);
  EXPECT_EQ(ChannelVolume(early->channel), 51);   // 0.4 of 128
  SoundClip* late = SoundCreate(tone.c_str(), true);
  SoundPlay(late);
  EXPECT_EQ(ChannelVolume(late->channel), 51);
  SoundRelease(early);
  SoundRelease(late);
}

TEST_F(SoundManagerTest, MuteAndPauseCarryOverToClipsPlayedLater) {
  SoundInit(64);
  SoundSetMute(true);
  SoundSetPaused(true);
  // One clip starts before its track is decoded, one after: both must obey.
  SoundClip* cold = SoundCreate(tone.c_str(), true);
  SoundPlay(cold);
  SoundFinishLoading();
  SoundClip* warm = SoundCreate(tone.c_str(), true);
  SoundPlay(warm);
  for (SoundClip* clip : {cold, warm}) {
    ASSERT_GE(clip->channel, 0);
    EXPECT_EQ(Mix_Paused(clip->channel), 1);
    EXPECT_EQ(ChannelVolume(clip->channel), 0);
  }
  EXPECT_TRUE(SoundIsMuted());
  EXPECT_TRUE(SoundIsPaused());
  EXPECT_TRUE(SoundIsPlaying());   // paused playbacks still count

  SoundSetMute(false);
  SoundSetPaused(false);
  for (SoundClip* clip : {cold, warm}) {
    EXPECT_EQ(Mix_Paused(clip->channel), 0);
    EXPECT_EQ(ChannelVolume(clip->channel), MIX_MAX_VOLUME);
  }
  SoundRelease(cold);
  SoundRelease(warm);
}

TEST_F(SoundManagerTest, PlayingTwiceKeepsTheFirstAndStopEndsOnlyTheSecond) {
  SoundInit(64);
  SoundClip* music = SoundCreate(tone.c_str(), true);
  PlayDecoded(music);
  int first = music->channel;
  SoundPlay(music);
  int second = music->channel;
  ASSERT_NE(first, second);
  EXPECT_EQ(Mix_Playing(first), 1);
  EXPECT_EQ(Mix_Playing(second), 1);

  SoundStop(music);
  EXPECT_EQ(Mix_Playing(first), 1);
  EXPECT_EQ(Mix_Playing(second), 0);
  SoundStop(music);   // the second is gone; the first must survive a repeat
  EXPECT_EQ(Mix_Playing(first), 1);
  SoundRelease(music);
}

TEST_F(SoundManagerTest, StopTouchesOnlyTheClipsOwnPlayback) {
  SoundInit(64);
  SoundClip* neverPlayed = SoundCreate(tone.c_str(), true);
  SoundClip* stopped = SoundCreate(tone.c_str(), true);
  SoundClip* other = SoundCreate(tone.c_str(), true);   // same track, same decoded data
  PlayDecoded(stopped);
  int freedChannel = stopped->channel;
  SoundStop(stopped);
  SoundPlay(other);
  ASSERT_EQ(other->channel, freedChannel);   // the freed channel is reused

  SoundStop(neverPlayed);
  SoundStop(stopped);   // its old channel now belongs to the other clip
  EXPECT_EQ(Mix_Playing(other->channel), 1);
  for (SoundClip* clip : {neverPlayed, stopped, other}) SoundRelease(clip);
}

TEST_F(SoundManagerTest, ReleasingAClipEndsItsPlaybacks) {
  SoundInit(64);
  SoundClip* music = SoundCreate(tone.c_str(), true);
  PlayDecoded(music);
  SoundPlay(music);
  EXPECT_TRUE(SoundIsPlaying());
  EXPECT_TRUE(SoundRelease(music));
  EXPECT_FALSE(SoundIsPlaying());
}

TEST_F(SoundManagerTest, StopRightAfterPlayLeavesNothingPlayingEvenBeforeDecoding) {
  std::string longTrack = MakeTone("long.ogg", 30);
  SoundInit(64);
  SoundClip* music = SoundCreate(longTrack.c_str(), true);
  SoundPlay(music);
  SoundStop(music);
  SoundFinishLoading();
  EXPECT_FALSE(SoundIsPlaying());
  SoundRelease(music);
  std::remove(longTrack.c_str());
}

TEST_F(SoundManagerTest, DecodedTracksAreKeptForClipsCreatedLater) {
  SoundInit(64);
  SoundClip* first = SoundCreate(tone.c_str(), false);
  SoundFinishLoading();
  SoundRelease(first);
  SoundClip* again = SoundCreate(tone.c_str(), true);
  SoundPlay(again);   // no waiting: the track is cached
  ASSERT_GE(again->channel, 0);
  EXPECT_EQ(Mix_Playing(again->channel), 1);
  SoundRelease(again);
}

TEST_F(SoundManagerTest, AllChannelsBusyMakesPlayAndStopHarmless) {
  SoundInit(2);
  SoundClip* music = SoundCreate(tone.c_str(), true);
  PlayDecoded(music);
  SoundPlay(music);
  int lastRunning = music->channel;
  SoundPlay(music);
  EXPECT_EQ(music->channel, -1);
  SoundStop(music);
  EXPECT_EQ(Mix_Playing(lastRunning), 1);
  SoundRelease(music);
}

TEST_F(SoundManagerTest, UnknownAudioDriverFallsBackAndEverythingWorks) {
  setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
  SoundInit(64);
  SoundClip* music = SoundCreate(tone.c_str(), true);
  PlayDecoded(music);
  EXPECT_TRUE(SoundIsPlaying());
  EXPECT_EQ(SoundSetMute(true), 0);
  SoundSetPaused(true);
  SoundChangeVolume(-0.3f);
  SoundStop(music);
  EXPECT_TRUE(SoundRelease(music));
  EXPECT_TRUE(SoundClose());
}

TEST_F(SoundManagerTest, WithoutASoundSystemEveryCallIsHarmless) {
  SoundClip* music = SoundCreate(tone.c_str(), true);   // no SoundInit
  ASSERT_NE(music, nullptr);
  EXPECT_EQ(music->sound, nullptr);
  SoundPlay(music);
  SoundStop(music);
  EXPECT_FALSE(SoundIsPlaying());
  SoundSetMute(true);
  SoundSetPaused(true);
  SoundChangeVolume(-0.3f);
  EXPECT_TRUE(SoundIsMuted());   // the options panel still shows the choice
  EXPECT_NEAR(SoundGetVolume(), 0.7f, 1e-5);
  SoundUpdate();
  SoundFinishLoading();
  EXPECT_FALSE(SoundRelease(music));
  EXPECT_FALSE(SoundRelease(nullptr));
}

TEST_F(SoundManagerTest, MissingOrForeignFileGivesASilentClipAndNamesTheFile) {
  SoundInit(64);
  std::string missing = ScratchPath("missing.ogg");
  std::string foreign = WriteFile("foreign.ogg", "this is not audio at all");
  for (const std::string& path : {missing, foreign}) {
    testing::internal::CaptureStderr();
    SoundClip* clip = SoundCreate(path.c_str(), true);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(clip->sound, nullptr);
    SoundPlay(clip);
    SoundStop(clip);
    EXPECT_FALSE(SoundIsPlaying());
    SoundRelease(clip);
  }
  std::remove(foreign.c_str());
}

TEST_F(SoundManagerTest, CorruptOggPlaysNothingAndNamesTheFile) {
  std::string corrupt = WriteFile("corrupt.ogg", std::string("OggS") + std::string(4000, '\x5a'));
  SoundInit(64);
  testing::internal::CaptureStderr();
  SoundClip* clip = SoundCreate(corrupt.c_str(), true);
  SoundPlay(clip);   // waits for a decoding that is bound to fail
  SoundFinishLoading();
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find(corrupt), std::string::npos) << said;
  EXPECT_FALSE(SoundIsPlaying());
  SoundStop(clip);
  SoundClip* again = SoundCreate(corrupt.c_str(), true);   // the failure is remembered
  EXPECT_EQ(again->sound, nullptr);
  SoundRelease(clip);
  SoundRelease(again);
  std::remove(corrupt.c_str());
}

}  // namespace
