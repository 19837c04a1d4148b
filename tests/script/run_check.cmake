# Runs the real velko-check and checks its exit status for a clean script, a faulty one and
# a usage error. Called by CTest with -DCHECK=<velko-check> -DDATA=<this folder's data>.

function(expect_status expected)
    execute_process(COMMAND ${CHECK} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT status EQUAL expected)
        message(FATAL_ERROR "velko-check ${ARGN}: status ${status}, expected ${expected}\n"
                            "${out}${err}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

expect_status(0 --game ${DATA} ${DATA}/clean.txt)
expect_status(1 --game ${DATA} ${DATA}/faulty.txt)
if(NOT last_output MATCHES "faulty.txt:1023: error: JP target 40000 is outside 1 to 32767\n")
    message(FATAL_ERROR "unexpected findings:\n${last_output}")
endif()
expect_status(1 --game ${DATA} ${DATA}/no-such-script.txt)
expect_status(2 --bogus)
expect_status(2 --game)
expect_status(2 --game ${DATA}/no-such-folder ${DATA}/clean.txt)
expect_status(2 ${DATA}/clean.txt ${DATA}/faulty.txt)
expect_status(0 --help)
