#ifndef SORCA_RESOURCE_ROOT_H
#define SORCA_RESOURCE_ROOT_H
/*
 * Every resource path of the game is relative ("Resources/..."), so the
 * program first makes the directory that holds its Resources/ tree current.
 * Only a whole tree counts: an empty or half-copied Resources/ would give a
 * black window instead of a game.
 */
#include <string>
#include <vector>

/* The files of `needed` ("Resources/..." paths) that `directory` lacks. */
std::vector<std::string> MissingResourceFiles(const std::string& directory,
                                              const std::vector<std::string>& needed);

/* The directory holding a whole Resources/ tree (every file the game loads),
 * the first of: workingDir (a source build started by hand), the directory of
 * exePath (the build tree), ../share/sorca from that directory (an installed
 * game, whatever its prefix); empty when none is whole. */
std::string FindResourceRoot(const std::string& workingDir, const std::string& exePath);

/* Makes FindResourceRoot's answer the working directory. When there is none,
 * prints on standard error, for each of the three places, that it has no
 * Resources/ or which files it lacks (the first few and how many), and
 * returns false. */
bool EnterResourceRoot(const std::string& workingDir, const std::string& exePath);

/* The same for this process: its working directory and /proc/self/exe. */
bool EnterResourceRoot();

#endif
