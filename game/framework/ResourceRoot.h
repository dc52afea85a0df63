#ifndef SORCA_RESOURCE_ROOT_H
#define SORCA_RESOURCE_ROOT_H
/*
 * Every resource path of the game is relative ("Resources/..."), so the
 * program first makes the directory that holds its Resources/ tree current.
 */
#include <string>

/* The directory holding a Resources/ directory, the first of: workingDir
 * (a source build started by hand), the directory of exePath (the build
 * tree), ../share/sorca from that directory (an installed game, whatever
 * its prefix); empty when none has one. */
std::string FindResourceRoot(const std::string& workingDir, const std::string& exePath);

/* Makes FindResourceRoot's answer the working directory. When there is none,
 * prints a message naming the three places on standard error and returns
 * false. */
bool EnterResourceRoot(const std::string& workingDir, const std::string& exePath);

/* The same for this process: its working directory and /proc/self/exe. */
bool EnterResourceRoot();

#endif
