#include "SettingsKeeper.h"

#include <cstdio>
#include <string>

#include "GameStateManager.h"
#include "SoundManager.h"

static bool keeping = false;
static std::string keptPath;
static Settings lastSeen;  // in force in the last frame
static Settings written;   // as the file has them
static bool startedFullScreen = false;
static bool fullScreenChosen = false;  // by the player, in this run

static Settings InForce() {
  Settings now = written;
  fullScreenChosen = fullScreenChosen || fullScreen != startedFullScreen;
  if (fullScreenChosen) now.fullScreen = fullScreen;
  now.mute = SoundIsMuted();
  now.volume = SoundGetVolume();
  return now;
}

Settings SettingsKeeperLoad() {
  keptPath = SettingsPath();
  std::string warning;
  const Settings loaded = keptPath.empty() ? Settings() : SettingsRead(keptPath, &warning);
  if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
  return loaded;
}

void SettingsKeeperStart(const Settings& loaded) {
  SoundSetMute(loaded.mute);
  SoundChangeVolume(loaded.volume - SoundGetVolume());
  written = loaded;
  startedFullScreen = fullScreen;
  fullScreenChosen = false;
  lastSeen = InForce();
  keeping = !keptPath.empty();
}

void SettingsKeeperUpdate() {
  if (!keeping) return;
  const Settings now = InForce();
  if (now == lastSeen) return;
  lastSeen = now;
  std::string error;
  if (SettingsWrite(keptPath, now, &error)) {
    written = now;
  } else {
    std::fprintf(stderr, "sorca: settings not saved: %s\n", error.c_str());
    keeping = false;
  }
}

void SettingsKeeperStop() { keeping = false; }
