# Small helpers shared by the module CMakeLists.

# Adds a module folder when it has been started; lets folders land one at a time.
# VELKO_SKIP_MODULES (a list of folders) leaves some out of a local build.
# velko_add_module(dir [binary_dir]): binary_dir (under the build folder) where the folder's
# own name is taken, as game/ is by the program folder.
function(velko_add_module dir)
    if(dir IN_LIST VELKO_SKIP_MODULES)
        return()
    endif()
    set(binary ${dir})
    if(ARGC GREATER 1)
        set(binary ${ARGV1})
    endif()
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${binary})
    endif()
endfunction()

# velko_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
# A GoogleTest executable registered with CTest, test by test.
function(velko_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT VELKO_BUILD_TESTS)
        return()
    endif()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${T_NAME} PRIVATE
        VELKO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        VELKO_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set(labels unit)
    if(T_LABELS)
        set(labels ${T_LABELS})
    endif()
    gtest_discover_tests(${T_NAME}
        PROPERTIES LABELS "${labels}"
        DISCOVERY_TIMEOUT 60)
endfunction()

# velko_embed_text(OUTPUT TEMPLATE FILE VAR DEFAULT)
# Reads FILE into VAR (DEFAULT when it is missing), reconfigures when FILE changes, and writes
# TEMPLATE (with @VAR@ in it) to OUTPUT in the current binary folder: text compiled in.
function(velko_embed_text output template file var default)
    if(EXISTS ${file})
        file(READ ${file} ${var})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    else()
        set(${var} "${default}")
    endif()
    configure_file(${template} ${CMAKE_CURRENT_BINARY_DIR}/${output} @ONLY)
endfunction()
