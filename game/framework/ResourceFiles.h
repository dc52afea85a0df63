#ifndef SORCA_RESOURCE_FILES_H
#define SORCA_RESOURCE_FILES_H
#include <string>
#include <vector>

/* Every file the game loads, as "Resources/..." paths; the build writes the
 * list from the one the asset tests check the built tree against. */
const std::vector<std::string>& GameResourceFiles();

#endif
