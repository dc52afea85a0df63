#ifndef SORCA_SETTINGS_KEEPER_H
#define SORCA_SETTINGS_KEEPER_H
/*
 * Keeps the player's settings between runs: read once at start, applied to
 * the sound, and written again whenever full screen, mute or the volume has
 * changed since the last frame, whatever changed it (the options panels,
 * F11). Only the played program keeps them: tests and recorded sessions
 * start from the defaults and write nothing, so that they go the same way
 * on every machine.
 */
#include "Settings.h"

/* The settings file's choices (defaults when there is none), with one line
 * on standard error when it was partly wrong. */
Settings SettingsKeeperLoad();

/* Applies mute and volume to the started sound system, and from now on
 * writes the settings whenever they differ from what was last seen. The
 * full screen this run started with need not be the saved one (--windowed
 * holds for one run): it is written only once the player changes it. */
void SettingsKeeperStart(const Settings& loaded);

/* Writes the settings when they changed since the last call; once a write
 * has failed (said on standard error once), the run goes on without saving. */
void SettingsKeeperUpdate();

/* Back to keeping nothing. */
void SettingsKeeperStop();

#endif
