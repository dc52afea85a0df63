#include "Settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Far more than any hand-edited file; what lies beyond is not read.
const std::size_t kMostBytes = 64 * 1024;

std::string Trimmed(const std::string& text) {
  const char* space = " \t\r";
  const std::size_t first = text.find_first_not_of(space);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(space) - first + 1);
}

bool ReadFlag(const std::string& value, bool* flag) {
  if (value == "true" || value == "yes" || value == "on" || value == "1") {
    *flag = true;
  } else if (value == "false" || value == "no" || value == "off" || value == "0") {
    *flag = false;
  } else {
    return false;
  }
  return true;
}

bool ReadVolume(const std::string& value, float* volume) {
  char* end = nullptr;
  const double read = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || !std::isfinite(read) || read < 0.0 || read > 1.0) return false;
  *volume = static_cast<float>(read);
  return true;
}

/* One "key = value" line into `settings`; false when it is not one we know. */
bool ReadLine(const std::string& line, Settings* settings) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos || line.find('\0') != std::string::npos) return false;
  const std::string key = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
  if (key == "fullscreen") return ReadFlag(value, &settings->fullScreen);
  if (key == "mute") return ReadFlag(value, &settings->mute);
  if (key == "volume") return ReadVolume(value, &settings->volume);
  return false;
}

/* A line as the warning quotes it: short, and printable. */
std::string Quoted(const std::string& line) {
  std::string shown;
  for (char c : line.substr(0, 40)) shown += (c >= 32 && c < 127) ? c : '?';
  return "\"" + shown + (line.size() > 40 ? "...\"" : "\"");
}

std::string Warning(const std::string& path, const std::string& what) {
  return "sorca: settings file '" + path + "': " + what + "; the defaults stand for it";
}

/* The lines the file could not give, as one warning, or "" when there are none. */
std::string Ignored(const std::string& path, const std::vector<std::string>& lines, bool cut) {
  if (lines.empty() && !cut) return "";
  std::string what = "ignored ";
  for (std::size_t i = 0; i < lines.size() && i < 3; ++i) what += (i ? ", " : "") + Quoted(lines[i]);
  if (lines.size() > 3) what += " and " + std::to_string(lines.size() - 3) + " more lines";
  if (cut) what += std::string(lines.empty() ? "" : ", ") + "everything past 64 KiB";
  return Warning(path, what);
}

bool MakeFolder(const std::string& folder) {
  std::size_t slash = 0;
  while ((slash = folder.find('/', slash + 1)) != std::string::npos)
    if (mkdir(folder.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST) return false;
  return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteWhole(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return fsync(fd) == 0;
}

}  // namespace

bool Settings::operator==(const Settings& other) const {
  return fullScreen == other.fullScreen && mute == other.mute && volume == other.volume;
}

std::string SettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string folder;
  if (config != nullptr && config[0] != '\0') {
    folder = config;
  } else if (home != nullptr && home[0] != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return "";
  }
  return folder + "/sorca/settings.ini";
}

Settings SettingsRead(const std::string& path, std::string* warning) {
  Settings settings;
  warning->clear();
  struct stat info;
  if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return settings;
  std::ifstream file(path, std::ios::binary);
  char probe;
  if (!file || S_ISDIR(info.st_mode) || (!file.get(probe) && !file.eof())) {
    *warning = Warning(path, "cannot be read");
    return settings;
  }
  file.unget();
  std::string text(kMostBytes + 1, '\0');
  file.read(&text[0], static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  const bool cut = text.size() > kMostBytes;
  if (cut) {  // the last whole line within the bound
    const std::size_t lastLine = text.rfind('\n', kMostBytes);
    text.resize(lastLine == std::string::npos ? 0 : lastLine);
  }
  if (Trimmed(text).empty() && !cut) {
    *warning = Warning(path, "is empty");
    return settings;
  }
  std::vector<std::string> ignored;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const std::string kept = Trimmed(line);
    if (kept.empty() || kept[0] == '#' || kept[0] == ';') continue;
    if (!ReadLine(kept, &settings)) ignored.push_back(kept);
  }
  *warning = Ignored(path, ignored, cut);
  return settings;
}

std::string SettingsText(const Settings& settings) {
  char volume[32];
  std::snprintf(volume, sizeof volume, "%.2f", settings.volume);
  return std::string("# Sorca's settings, written by the game each time one changes.\n") +
         "fullscreen = " + (settings.fullScreen ? "true" : "false") + "\n" +
         "mute = " + (settings.mute ? "true" : "false") + "\n" + "volume = " + volume + "\n";
}

bool SettingsWrite(const std::string& path, const Settings& settings, std::string* error) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  if (!MakeFolder(folder)) {
    *error = "cannot create '" + folder + "': " + std::strerror(errno);
    return false;
  }
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(&temporary[0]);
  if (fd < 0) {
    *error = "cannot write in '" + folder + "': " + std::strerror(errno);
    return false;
  }
  const bool written = fchmod(fd, 0644) == 0 && WriteWhole(fd, SettingsText(settings));
  const int saved = errno;
  close(fd);
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    *error = "cannot write '" + path + "': " + std::strerror(written ? errno : saved);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}
