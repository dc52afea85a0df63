#ifndef SORCA_SETTINGS_H
#define SORCA_SETTINGS_H
/*
 * The player's choices kept between runs: a settings file of plain
 * "key = value" lines a person can edit, read at start and written again
 * each time a choice changes. A file that is missing, unreadable or partly
 * wrong never stops the game: every good line is kept, the rest falls back
 * to the defaults, and one line on standard error says what was ignored.
 */
#include <string>

struct Settings {
  bool fullScreen = true;
  bool mute = false;
  float volume = 1.0f;  // 0 to 1

  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }
};

/* "$XDG_CONFIG_HOME/sorca/settings.ini", or "~/.config/sorca/settings.ini"
 * when the variable is unset or empty; empty when neither place is known. */
std::string SettingsPath();

/* The settings in `path`, defaults for whatever it lacks or gets wrong.
 * `warning` is empty, or one line naming the file and what was ignored. */
Settings SettingsRead(const std::string& path, std::string* warning);

/* The file's text for these settings, as SettingsWrite writes it. */
std::string SettingsText(const Settings& settings);

/* Replaces `path` with these settings at once (a temporary file in the same
 * folder, then a rename), making its folder first. False, with `error`
 * saying why, when it could not: the old file is then left as it was. */
bool SettingsWrite(const std::string& path, const Settings& settings, std::string* error);

#endif
