# The browser build (emcmake cmake ... -DVELKO_WEB_PREFIX=DIR -DVELKO_WEB_GAME_DIR=DIR):
# the libraries come from the prefix scripts/web-setup.sh built them into, the episode's
# pictures and sounds from a desktop build's program folder. No tests, tools or benchmarks.

set(VELKO_WEB_PREFIX "" CACHE PATH "where scripts/web-setup.sh installed the web libraries")
set(VELKO_WEB_GAME_DIR "" CACHE PATH "a desktop build's program folder (BMP/, Music/, Wall/)")
if(NOT EXISTS "${VELKO_WEB_PREFIX}/lib/libSDL2.a")
    message(FATAL_ERROR "VELKO_WEB_PREFIX (${VELKO_WEB_PREFIX}) holds no web libraries: run ./web.sh")
endif()
if(NOT IS_DIRECTORY "${VELKO_WEB_GAME_DIR}/BMP")
    message(FATAL_ERROR "VELKO_WEB_GAME_DIR (${VELKO_WEB_GAME_DIR}) holds no episode: run ./web.sh")
endif()

set(VELKO_BUILD_TESTS OFF CACHE BOOL "" FORCE)
set(VELKO_BUILD_BENCH OFF CACHE BOOL "" FORCE)
set(VELKO_GAME_DIR ${CMAKE_BINARY_DIR}/site)
list(APPEND VELKO_SKIP_MODULES src/platform/headless tools game dist tests bench)

# Emscripten's own SDL headers are an old SDL 1.3: the prefix's must come first.
function(velko_web_library name file)
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION ${VELKO_WEB_PREFIX}/lib/${file}
        INTERFACE_INCLUDE_DIRECTORIES "${ARGN}")
endfunction()
velko_web_library(velko_web_zlib libz.a ${VELKO_WEB_PREFIX}/include)
velko_web_library(PNG::PNG libpng16.a ${VELKO_WEB_PREFIX}/include)
velko_web_library(Freetype::Freetype libfreetype.a ${VELKO_WEB_PREFIX}/include/freetype2)
velko_web_library(SDL2::SDL2 libSDL2.a ${VELKO_WEB_PREFIX}/include/SDL2)
velko_web_library(SDL2_mixer::SDL2_mixer libSDL2_mixer.a ${VELKO_WEB_PREFIX}/include/SDL2)
set_property(TARGET PNG::PNG Freetype::Freetype APPEND PROPERTY INTERFACE_LINK_LIBRARIES velko_web_zlib)
set_property(TARGET SDL2_mixer::SDL2_mixer APPEND PROPERTY INTERFACE_LINK_LIBRARIES SDL2::SDL2)
include_directories(BEFORE SYSTEM ${VELKO_WEB_PREFIX}/include/SDL2 ${VELKO_WEB_PREFIX}/include)
# The page has one thread: what asks for threads links nothing more.
add_library(Threads::Threads INTERFACE IMPORTED GLOBAL)
