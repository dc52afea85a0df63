# The files the game loads from Resources/ come from the one list the asset
# tests check the built tree against; compiled in, they let the program tell a
# whole tree from an empty or half-copied one before it opens a window.
set(SORCA_RESOURCE_LIST ${CMAKE_SOURCE_DIR}/tests/assets/expected_files.txt)
if(NOT EXISTS ${SORCA_RESOURCE_LIST})
  message(FATAL_ERROR "${SORCA_RESOURCE_LIST} is missing: it lists the files the game loads")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SORCA_RESOURCE_LIST})
file(STRINGS ${SORCA_RESOURCE_LIST} SORCA_RESOURCE_LINES REGEX "^Resources/")
set(SORCA_RESOURCE_ENTRIES "")
foreach(line IN LISTS SORCA_RESOURCE_LINES)
  string(REGEX REPLACE "[ \t].*$" "" path "${line}")
  string(APPEND SORCA_RESOURCE_ENTRIES "    \"${path}\",\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/ResourceFiles.cpp CONTENT
"// Made by cmake/ResourceFiles.cmake from tests/assets/expected_files.txt.
#include \"ResourceFiles.h\"

const std::vector<std::string>& GameResourceFiles() {
  static const std::vector<std::string> files = {
${SORCA_RESOURCE_ENTRIES}  };
  return files;
}
" @ONLY)
