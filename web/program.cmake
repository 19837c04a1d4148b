# velko01 as WebAssembly (included by src/app when emscripten builds): velko01.js and
# velko01.wasm in the site folder, started by the page once the reader has clicked.
add_executable(velko01 ${CMAKE_SOURCE_DIR}/src/app/web_main.cpp)
target_link_libraries(velko01 PRIVATE
    velko_engine velko_store velko_web velko_sdl_audio velko_fonts velko_ui velko_builtin_scenario)
set_target_properties(velko01 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELKO_GAME_DIR})
target_link_options(velko01 PRIVATE
    # The engine waits by sleeping; asyncify turns each sleep into a return to the browser.
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    "-sASYNCIFY_IMPORTS=['velko_wait_input','velko_keep_folder','emscripten_sleep','emscripten_wget_data']"
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
    # The data package is loaded by a script of its own (velko01.data.js).
    -sFORCE_FILESYSTEM=1 -lidbfs.js -sINVOKE_RUN=0 -sEXIT_RUNTIME=0 -sENVIRONMENT=web
    "-sEXPORTED_RUNTIME_METHODS=['callMain']"
    -sMIN_WEBGL_VERSION=1
    # The smallest program: the reader waits for every byte of it before the first picture.
    -Oz -sMALLOC=emmalloc)
# emcc runs node scripts that need Debian's node modules, which a node from elsewhere on PATH
# does not look in.
set_property(TARGET velko01 PROPERTY RULE_LAUNCH_LINK
    "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
