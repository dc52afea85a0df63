#include "ResourceRoot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "ResourceFiles.h"

namespace {

const std::size_t kMissingNamed = 3;  // the rest of a broken tree only as a count

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool HasWholeTree(const std::string& directory) {
  return !directory.empty() && IsDirectory(directory + "/Resources") &&
         MissingResourceFiles(directory, GameResourceFiles()).empty();
}

/* "not there", or how much of the tree is missing and the first files of it. */
std::string WhatIsWrong(const std::string& directory) {
  if (directory.empty() || !IsDirectory(directory + "/Resources")) return "no Resources folder there";
  const std::vector<std::string> missing = MissingResourceFiles(directory, GameResourceFiles());
  if (missing.empty()) return "whole";
  std::string said = std::to_string(missing.size()) + " of " + std::to_string(GameResourceFiles().size()) +
                     " files missing: ";
  for (std::size_t i = 0; i < missing.size() && i < kMissingNamed; ++i) said += (i ? ", " : "") + missing[i];
  if (missing.size() > kMissingNamed) said += " and " + std::to_string(missing.size() - kMissingNamed) + " more";
  return said;
}

}  // namespace

std::vector<std::string> MissingResourceFiles(const std::string& directory,
                                              const std::vector<std::string>& needed) {
  std::vector<std::string> missing;
  for (const std::string& file : needed)
    if (!IsFile(directory + "/" + file)) missing.push_back(file);
  return missing;
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
  if (HasWholeTree(workingDir)) return workingDir;
  if (exePath.empty()) return std::string();
  if (HasWholeTree(DirectoryOf(exePath))) return DirectoryOf(exePath);
  if (HasWholeTree(InstalledDataDirectory(exePath))) return InstalledDataDirectory(exePath);
  return std::string();
}

bool EnterResourceRoot(const std::string& workingDir, const std::string& exePath) {
  const std::string root = FindResourceRoot(workingDir, exePath);
  if (!root.empty() && chdir(root.c_str()) == 0) return true;
  const std::string beside = exePath.empty() ? std::string() : DirectoryOf(exePath);
  const std::string installed = exePath.empty() ? std::string() : InstalledDataDirectory(exePath);
  std::fprintf(stderr,
               "Sorca cannot find a whole Resources folder. It looked in:\n"
               "  %s/Resources (the working directory): %s\n"
               "  %s/Resources (beside the program): %s\n"
               "  %s/Resources (where an installed game keeps it): %s\n"
               "Start Sorca from the folder that holds Resources/, keep Resources/ "
               "beside the program, or install the game again.\n",
               workingDir.c_str(), WhatIsWrong(workingDir).c_str(), exePath.empty() ? "?" : beside.c_str(),
               WhatIsWrong(beside).c_str(), exePath.empty() ? "?" : installed.c_str(),
               WhatIsWrong(installed).c_str());
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
