# velko_embed_bytes(TARGET <library> SOURCE <file> FUNCTION <namespace::name>)
#
# A static library that defines `std::span<const std::uint8_t> NAME()` returning the bytes of
# SOURCE, re-embedded whenever the file changes; the caller declares the function in a header
# of its own. Run as a script (-DSOURCE -DOUTPUT -DNAMESPACE -DNAME -P) it writes the .cpp.

if(CMAKE_SCRIPT_MODE_FILE)
    file(READ "${SOURCE}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 row)
    string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
    get_filename_component(file "${SOURCE}" NAME)
    file(WRITE "${OUTPUT}.new"
"// Generated from ${file} by cmake/embed_bytes.cmake. Do not edit.

#include <cstdint>
#include <span>

namespace ${NAMESPACE} {

namespace {

const std::uint8_t kBytes[] = {
    ${bytes}0};

}  // namespace

std::span<const std::uint8_t> ${NAME}() {
    return {kBytes, sizeof(kBytes) - 1};
}

}  // namespace ${NAMESPACE}
")
    file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
    file(REMOVE "${OUTPUT}.new")
    return()
endif()

include_guard(GLOBAL)

function(velko_embed_bytes)
    cmake_parse_arguments(E "" "TARGET;SOURCE;FUNCTION" "" ${ARGN})
    string(REGEX MATCH "^(.*)::([^:]+)$" matched "${E_FUNCTION}")
    if(NOT E_TARGET OR NOT E_SOURCE OR NOT matched)
        message(FATAL_ERROR "velko_embed_bytes needs TARGET, SOURCE and FUNCTION ns::name")
    endif()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${E_TARGET}.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${E_SOURCE} -DOUTPUT=${output}
                -DNAMESPACE=${CMAKE_MATCH_1} -DNAME=${CMAKE_MATCH_2}
                -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        DEPENDS ${E_SOURCE} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        COMMENT "Embedding ${E_SOURCE}"
        VERBATIM)
    add_library(${E_TARGET} STATIC ${output})
endfunction()
