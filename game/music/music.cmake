# The episode's music and sounds: every game/music/NAME.mml becomes Music/NAME.mid and every
# game/sounds/NAME.snd becomes Music/NAME.wav in the program folder, rebuilt when the source
# or the generator changes.
file(GLOB VELKO_MUSIC_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.mml)
file(GLOB VELKO_SOUND_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../sounds/*.snd)

set(VELKO_MUSIC_OUTPUTS)
foreach(source IN LISTS VELKO_MUSIC_SOURCES VELKO_SOUND_SOURCES)
    get_filename_component(name ${source} NAME_WE)
    get_filename_component(ext ${source} LAST_EXT)
    if(ext STREQUAL ".mml")
        set(output ${VELKO_GAME_DIR}/Music/${name}.mid)
    else()
        set(output ${VELKO_GAME_DIR}/Music/${name}.wav)
    endif()
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VELKO_GAME_DIR}/Music
        COMMAND velko-musicgen ${source} ${output}
        DEPENDS velko-musicgen ${source}
        COMMENT "Generating ${output}"
        VERBATIM)
    list(APPEND VELKO_MUSIC_OUTPUTS ${output})
endforeach()

add_custom_target(velko_music ALL DEPENDS ${VELKO_MUSIC_OUTPUTS})
add_dependencies(velko_game_assets velko_music)
