#ifndef SORCA_RESOURCE_ROOT_H
#define SORCA_RESOURCE_ROOT_H
/*
 * Every resource path of the game is relative ("Resources/..."), so the
 * program first makes the directory that holds its Resources/ tree current.
 */
#include <string>

/* The directory holding a Resources/ directory: workingDir when it has one,
 * else the directory of exePath; empty when neither has one. */
std::string FindResourceRoot(const std::string& workingDir, const std::string& exePath);

/* Makes FindResourceRoot's answer the working directory. When there is none,
 * prints a message naming both places on standard error and returns false. */
bool EnterResourceRoot(const std::string& workingDir, const std::string& exePath);

/* The same for this process: its working directory and /proc/self/exe. */
bool EnterResourceRoot();

#endif
