#include "ResourceRoot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

static bool HasResourceTree(const std::string& directory) {
  if (directory.empty()) return false;
  struct stat info;
  const std::string tree = directory + "/Resources";
  return stat(tree.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

static std::string DirectoryOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

/* <prefix>/share/sorca for a program installed as <prefix>/bin/sorca, spelt
 * through ".." so that it holds for a relative path too. */
static std::string InstalledDataDirectory(const std::string& exePath) {
  return DirectoryOf(exePath) + "/../share/sorca";
}

std::string FindResourceRoot(const std::string& workingDir, const std::string& exePath) {
  if (HasResourceTree(workingDir)) return workingDir;
  if (exePath.empty()) return std::string();
  if (HasResourceTree(DirectoryOf(exePath))) return DirectoryOf(exePath);
  if (HasResourceTree(InstalledDataDirectory(exePath))) return InstalledDataDirectory(exePath);
  return std::string();
}

bool EnterResourceRoot(const std::string& workingDir, const std::string& exePath) {
  const std::string root = FindResourceRoot(workingDir, exePath);
  if (!root.empty() && chdir(root.c_str()) == 0) return true;
  std::fprintf(stderr,
               "Sorca cannot find its Resources folder. It looked in:\n"
               "  %s/Resources (the working directory)\n"
               "  %s/Resources (beside the program)\n"
               "  %s/Resources (where an installed game keeps it)\n"
               "Start Sorca from the folder that holds Resources/, keep Resources/ "
               "beside the program, or install the game again.\n",
               workingDir.c_str(), exePath.empty() ? "?" : DirectoryOf(exePath).c_str(),
               exePath.empty() ? "?" : InstalledDataDirectory(exePath).c_str());
  return false;
}

static std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string(".");
}

static std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return std::string();
  return std::string(buffer, static_cast<std::size_t>(length));
}

bool EnterResourceRoot() { return EnterResourceRoot(CurrentDirectory(), ExecutablePath()); }
