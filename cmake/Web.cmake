# The browser build (scripts/web.sh configures it with emcmake): the same
# engine and game, linked against the static libraries that web.sh builds
# from Debian's sources into SORCA_WEB_PREFIX. They stand in for the desktop's
# pkg-config targets under the same names, so the engine and game lists of
# libraries stay as they are. GL comes with the browser; GLEW and fontconfig
# have no part there.
set(SORCA_WEB_PREFIX "" CACHE PATH "Where web.sh installed the libraries built for the browser")
set(SORCA_WEB_RESOURCES "" CACHE PATH "The Resources/ tree the desktop build made, packed into the page")
if(NOT IS_DIRECTORY "${SORCA_WEB_PREFIX}/lib")
  message(FATAL_ERROR "SORCA_WEB_PREFIX must name the libraries web.sh built (got '${SORCA_WEB_PREFIX}')")
endif()

function(sorca_web_library name)
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  set(archives)
  foreach(archive ${ARGN})
    list(APPEND archives ${SORCA_WEB_PREFIX}/lib/${archive})
  endforeach()
  set_target_properties(${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${SORCA_WEB_PREFIX}/include/SDL2;${SORCA_WEB_PREFIX}/include;${SORCA_WEB_PREFIX}/include/freetype2"
    INTERFACE_LINK_LIBRARIES "${archives}")
endfunction()

sorca_web_library(PkgConfig::SDL2 libSDL2.a)
sorca_web_library(PkgConfig::SDL2_IMAGE libSDL2_image.a libpng16.a libjpeg.a libz.a)
sorca_web_library(PkgConfig::SDL2_MIXER libSDL2_mixer.a libvorbisfile.a libvorbis.a libogg.a)
sorca_web_library(PkgConfig::FREETYPE libfreetype.a)
sorca_web_library(PkgConfig::GLEW)
sorca_web_library(PkgConfig::FONTCONFIG)
add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)

# The page's files: sorca.js and sorca.wasm, and sorca.data holding the
# Resources/ tree at /Resources (the working directory is /) and the faces
# the desktop's fontconfig picks for the game's fonts at /fonts.
set(SORCA_WEB_FONTS
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf
  /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
function(sorca_web_link target)
  set(packed "--preload-file=${SORCA_WEB_RESOURCES}@/Resources")
  foreach(font ${SORCA_WEB_FONTS})
    get_filename_component(fontName ${font} NAME)
    list(APPEND packed "--preload-file=${font}@/fonts/${fontName}")
  endforeach()
  target_link_options(${target} PRIVATE
    -sUSE_WEBGL2=0 -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
    -sEXPORTED_RUNTIME_METHODS=FS,callMain -sINVOKE_RUN=0
    "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/web/library-funcs.json"
    ${packed})
  set_target_properties(${target} PROPERTIES SUFFIX ".js")
endfunction()
