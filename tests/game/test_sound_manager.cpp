#include "SoundManager.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "TempTree.h"

namespace {

/* Sound files of the test's own, removed with their folder. */
const TempDir scratch;

std::string MakeTone(const char* name, double seconds) {
  const std::string path = scratch.path + "/" + name;
  std::string command = "sox -n -r 44100 -c 2 " + path + " synth " + std::to_string(seconds) + " sine 440 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return path;
}

/* "paused/volume" of a channel. */
std::string State(int ch) {
  return ch < 0 ? "none" : std::to_string(Mix_Paused(ch)) + "/" + std::to_string(Mix_Volume(ch, -1));
}

class SoundManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override { SoundClose(); }
  /* A looping clip of the tone, played once decoded so that its channel is live. */
  SoundClip* PlayDecoded() {
    SoundClip* clip = SoundCreate(tone.c_str(), true);
    SoundFinishLoading();
    SoundPlay(clip);
    return clip;
  }
  const std::string tone = MakeTone("tone.ogg", 1);
};

TEST_F(SoundManagerTest, VolumeMuteAndPauseReachPlayingClipsAndClipsStartedBeforeOrAfterDecoding) {
  SoundInit(64);
  SoundChangeVolume(-0.6f);
  SoundSetMute(true);
  SoundSetPaused(true);
  SoundClip* cold = SoundCreate(tone.c_str(), true);
  SoundPlay(cold);  // before its track is decoded
  SoundFinishLoading();
  SoundClip* warm = SoundCreate(tone.c_str(), true);
  SoundPlay(warm);
  EXPECT_TRUE(SoundIsMuted() && SoundIsPaused() && SoundIsPlaying());  // paused playbacks count
  EXPECT_EQ("1/0 1/0", State(cold->channel) + " " + State(warm->channel));
  SoundSetMute(false);
  SoundSetPaused(false);
  EXPECT_EQ("0/51 0/51", State(cold->channel) + " " + State(warm->channel));  // 0.4 of 128
  SoundChangeVolume(1);
  EXPECT_EQ("0/128 0/128", State(cold->channel) + " " + State(warm->channel));
  for (SoundClip* clip : {cold, warm}) SoundRelease(clip);
}

TEST_F(SoundManagerTest, PlayingAgainKeepsEarlierPlaybacksStopEndsOnlyTheLastAndReleaseEndsAll) {
  SoundInit(2);
  SoundClip* music = PlayDecoded();
  const int first = music->channel;
  SoundPlay(music);
  const int second = music->channel;
  ASSERT_NE(first, second);
  EXPECT_TRUE(Mix_Playing(first) && Mix_Playing(second));
  for (int repeat : {0, 1}) {  // a repeated stop must spare the first
    SoundStop(music);
    EXPECT_TRUE(Mix_Playing(first) && !Mix_Playing(second)) << repeat;
  }
  SoundPlay(music);
  SoundPlay(music);  // every channel is busy: no playback, and the stop below ends nothing
  EXPECT_EQ(music->channel, -1);
  SoundStop(music);
  EXPECT_TRUE(Mix_Playing(first) && Mix_Playing(second));
  EXPECT_TRUE(SoundRelease(music));
  EXPECT_FALSE(SoundIsPlaying());
}

/* A state change releases the old state's clips and creates the new state's within one update:
 * a track both use stays decoded; one only the old state used is dropped at the second update. */
TEST_F(SoundManagerTest, AReleasedTrackIsDroppedAtTheSecondUpdateUnlessAClipTookItUpAgain) {
  SoundInit(64);
  const std::string other = MakeTone("other.ogg", 1);
  SoundClip* kept = SoundCreate(tone.c_str(), true);
  SoundClip* dropped = SoundCreate(other.c_str(), true);
  SoundFinishLoading();
  SoundRelease(kept);
  SoundRelease(dropped);
  SoundUpdate();  // the state change's own update
  kept = SoundCreate(tone.c_str(), true);
  SoundPlay(kept);  // no waiting: still decoded
  EXPECT_TRUE(kept->channel >= 0 && Mix_Playing(kept->channel));
  SoundUpdate();
  EXPECT_EQ(SoundDecodedCount(), 1);
  SoundRelease(kept);
  dropped = SoundCreate(other.c_str(), true);  // decoded again on demand
  SoundFinishLoading();
  SoundPlay(dropped);
  EXPECT_TRUE(dropped->channel >= 0 && Mix_Playing(dropped->channel));
  SoundRelease(dropped);
}

TEST_F(SoundManagerTest, StopTouchesOnlyTheClipsOwnPlaybackEvenBeforeDecoding) {
  const std::string longTrack = MakeTone("long.ogg", 30);
  SoundInit(64);
  SoundClip* early = SoundCreate(longTrack.c_str(), true);
  SoundPlay(early);
  SoundStop(early);
  SoundFinishLoading();
  EXPECT_FALSE(SoundIsPlaying());
  SoundClip* neverPlayed = SoundCreate(tone.c_str(), true);
  SoundClip* stopped = PlayDecoded();
  SoundClip* other = SoundCreate(tone.c_str(), true);
  const int freed = stopped->channel;
  SoundStop(stopped);
  SoundPlay(other);
  ASSERT_EQ(other->channel, freed);
  SoundStop(neverPlayed);
  SoundStop(stopped);  // its old channel now belongs to the other clip
  EXPECT_EQ(Mix_Playing(other->channel), 1);
  for (SoundClip* clip : {early, neverPlayed, stopped, other}) SoundRelease(clip);
}

TEST_F(SoundManagerTest, UnknownAudioDriverFallsBackAndEverythingWorks) {
  setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
  SoundInit(64);
  SoundClip* music = PlayDecoded();
  EXPECT_TRUE(SoundIsPlaying());
  EXPECT_EQ(SoundSetMute(true), 0);
  SoundSetPaused(true);
  SoundChangeVolume(-0.3f);
  SoundStop(music);
  EXPECT_TRUE(SoundRelease(music) && SoundClose());
}

TEST_F(SoundManagerTest, WithoutASoundSystemEveryCallIsHarmless) {
  SoundClip* music = SoundCreate(tone.c_str(), true);  // no SoundInit
  ASSERT_TRUE(music != nullptr && music->sound == nullptr);
  SoundPlay(music);
  SoundStop(music);
  EXPECT_FALSE(SoundIsPlaying());
  SoundSetMute(true);
  SoundSetPaused(true);
  SoundChangeVolume(-0.3f);
  EXPECT_TRUE(SoundIsMuted());  // the options panel still shows the choice
  EXPECT_NEAR(SoundGetVolume(), 0.7f, 1e-5);
  SoundUpdate();
  SoundFinishLoading();
  EXPECT_FALSE(SoundRelease(music) || SoundRelease(nullptr));
}

TEST_F(SoundManagerTest, MissingForeignOrCorruptFileGivesASilentClipAndNamesTheFileOnce) {
  SoundInit(64);
  scratch.Write("text.ogg", "not audio");
  scratch.Write("corrupt.ogg", "OggS" + std::string(4000, '\x5a'));
  const std::string missing = scratch.path + "/missing.ogg", text = scratch.path + "/text.ogg",
                    corrupt = scratch.path + "/corrupt.ogg";
  for (const std::string& path : {missing, text, corrupt}) {
    testing::internal::CaptureStderr();
    SoundClip* clip = SoundCreate(path.c_str(), true);
    SoundPlay(clip);  // a corrupt file waits for a decoding bound to fail
    SoundFinishLoading();
    SoundStop(clip);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(said.find(path) != std::string::npos && std::count(said.begin(), said.end(), '\n') == 1) << said;
    EXPECT_FALSE(SoundIsPlaying());
    SoundClip* again = SoundCreate(path.c_str(), true);  // a failed decoding is remembered
    EXPECT_EQ(again->sound, nullptr) << path;
    for (SoundClip* each : {clip, again}) SoundRelease(each);
  }
}

/* Closing while a long track is being decoded gives the decoding up, wherever it is: while the
 * decoder opens the file it seeks back and forth, and a close caught there once hung for good. */
TEST_F(SoundManagerTest, ClosingInTheMiddleOfADecodingAlwaysEnds) {
  const std::string track = MakeTone("long.ogg", 60.0);
  for (int attempt = 0; attempt < 200; ++attempt) {
    SoundInit(8);
    SoundClip* clip = SoundCreate(track.c_str(), true);
    usleep(static_cast<useconds_t>(attempt * 3));  // over the opening of the file
    SoundClose();
    SoundRelease(clip);  // a clip may outlive the sound system
  }
  SoundInit(8);
  SoundClip* clip = SoundCreate(track.c_str(), true);
  SoundFinishLoading();
  EXPECT_NE(clip->sound, nullptr) << "a new start decodes the whole track again";
  SoundRelease(clip);
}

}  // namespace
