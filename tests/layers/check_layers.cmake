cmake_minimum_required(VERSION 3.25)
# Builds every probe: "<layer>_sees_<layer>" compiles when the second layer is the first or below
# it, and otherwise fails because the header is not found (any other failure is a fault too).
set(below_ok core_sees_core cli_sees_core window_sees_core)
foreach(probe ${PROBES})
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${probe}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(probe IN_LIST below_ok)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "${probe} should compile:\n${out}")
        endif()
    elseif(status EQUAL 0)
        message(FATAL_ERROR "${probe} compiled: its layer can include a header it must not see")
    elseif(NOT out MATCHES "No such file or directory")
        message(FATAL_ERROR "${probe} failed for another reason than the missing header:\n${out}")
    endif()
    message(STATUS "${probe}: as expected")
endforeach()
