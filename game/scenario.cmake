# The episode's scenario: checked by velko-check against the generated asset folders, then
# compiled into the program as the library velko_builtin_scenario. An error in the check
# fails the build.
include(${CMAKE_SOURCE_DIR}/cmake/scenario.cmake)

set(VELKO_SCENARIO_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/scenario.txt)
if(NOT EXISTS ${VELKO_SCENARIO_SOURCE})
    # Until the episode is written the program carries a stand-in, and configuring again
    # once scenario.txt appears picks it up.
    message(STATUS "game/scenario.txt not found: embedding a placeholder scenario")
    set(VELKO_SCENARIO_SOURCE ${CMAKE_SOURCE_DIR}/tests/script/data/placeholder_scenario.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR})
endif()

# The check runs on every build: it takes milliseconds and also notices assets that the
# generators have renamed or dropped since the scenario last changed.
add_custom_target(velko_scenario_check ALL
    COMMAND velko-check --game ${VELKO_GAME_DIR} ${VELKO_SCENARIO_SOURCE}
    COMMENT "Checking the scenario"
    VERBATIM)
add_dependencies(velko_scenario_check velko-check velko_game_assets)

velko_embed_scenario(TARGET velko_builtin_scenario SOURCE ${VELKO_SCENARIO_SOURCE})
# The checker's own copy: the check above runs velko-check, so it cannot wait for the check.
velko_embed_scenario(TARGET velko_checked_scenario SOURCE ${VELKO_SCENARIO_SOURCE})
add_dependencies(velko_builtin_scenario velko_scenario_check)
