# velko_embed_scenario(TARGET <library> SOURCE <scenario.txt> [DEPENDS <files or targets>...])
#
# Builds a static library that holds the bytes of a scenario source file and defines
# velko::script::builtinScenarioSource() and builtinScenarioFileName() (script/builtin.h).
# The source is re-embedded whenever it changes. DEPENDS are built before the embedding, so a
# check of the source can stand in front of it.
#
# Run as a script (cmake -DSOURCE=... -DOUTPUT=... -DNAME=... -P scenario.cmake) this file
# writes the generated .cpp itself, so no other tool is needed.

if(CMAKE_SCRIPT_MODE_FILE)
    file(READ "${SOURCE}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # Sixteen bytes a row keeps the generated file readable.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 row)
    string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
    file(WRITE "${OUTPUT}.new"
"// Generated from ${NAME} by cmake/scenario.cmake. Do not edit.

#include <string_view>

#include \"script/builtin.h\"

namespace velko::script {

namespace {

// The bytes of ${NAME} (${size} of them), then a 0 so that the array is never empty.
const unsigned char kSource[] = {
    ${bytes}0};

}  // namespace

std::string_view builtinScenarioSource() {
    return {reinterpret_cast<const char*>(kSource), sizeof(kSource) - 1};
}

std::string_view builtinScenarioFileName() {
    return \"${NAME}\";
}

}  // namespace velko::script
")
    file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
    file(REMOVE "${OUTPUT}.new")
    return()
endif()

include_guard(GLOBAL)

function(velko_embed_scenario)
    cmake_parse_arguments(E "" "TARGET;SOURCE" "DEPENDS" ${ARGN})
    if(NOT E_TARGET OR NOT E_SOURCE)
        message(FATAL_ERROR "velko_embed_scenario needs TARGET and SOURCE")
    endif()
    get_filename_component(source ${E_SOURCE} ABSOLUTE)
    # Messages name the file as a developer knows it: relative to the tree when inside it.
    file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${source})
    if(name MATCHES "^\\.\\./")
        get_filename_component(name ${source} NAME)
    endif()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${E_TARGET}.cpp)
    set(generator ${CMAKE_CURRENT_FUNCTION_LIST_FILE})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DOUTPUT=${output} -DNAME=${name}
                -P ${generator}
        DEPENDS ${source} ${generator} ${E_DEPENDS}
        COMMENT "Embedding ${name}"
        VERBATIM)
    add_library(${E_TARGET} STATIC ${output})
    target_link_libraries(${E_TARGET} PUBLIC velko_script)
endfunction()
