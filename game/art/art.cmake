# The episode's pictures: velko-assetgen paints every file listed in game/art/pictures.txt
# into the program folder (BMP/ and Wall/), again whenever an art source or the tool changes.
# One command makes them all: the button sheets are cut from the backgrounds they sit on.
set(VELKO_ART_DIR ${CMAKE_CURRENT_LIST_DIR})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELKO_ART_DIR}/pictures.txt)
file(GLOB_RECURSE VELKO_ART_SOURCES CONFIGURE_DEPENDS ${VELKO_ART_DIR}/*.txt)

file(STRINGS ${VELKO_ART_DIR}/pictures.txt VELKO_ART_LINES REGEX "^[A-Za-z]")
set(VELKO_ART_OUTPUTS)
foreach(line IN LISTS VELKO_ART_LINES)
    string(REGEX MATCH "^[^ \t]+" file "${line}")
    list(APPEND VELKO_ART_OUTPUTS ${VELKO_GAME_DIR}/${file})
endforeach()

add_custom_command(
    OUTPUT ${VELKO_ART_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELKO_GAME_DIR}/BMP ${VELKO_GAME_DIR}/Wall
    COMMAND velko-assetgen --art ${VELKO_ART_DIR} --out ${VELKO_GAME_DIR}
    DEPENDS velko-assetgen ${VELKO_ART_SOURCES}
    COMMENT "Painting the episode's pictures"
    VERBATIM)
add_custom_target(velko_art_pictures ALL DEPENDS ${VELKO_ART_OUTPUTS})
add_dependencies(velko_game_assets velko_art_pictures)
