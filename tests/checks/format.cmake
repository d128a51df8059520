# Every C++ file of ours is formatted with the repository's .clang-format.
# Run as: cmake -DSOURCE_DIR=... -DCLANG_FORMAT=... -P format.cmake
file(GLOB_RECURSE files
    ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h
    ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
    ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/packaging/*.cpp)
set(bad "")
foreach(f IN LISTS files)
    execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror ${f}
        RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET WORKING_DIRECTORY ${SOURCE_DIR})
    if(NOT rc EQUAL 0)
        string(REPLACE "${SOURCE_DIR}/" "" rel ${f})
        list(APPEND bad ${rel})
    endif()
endforeach()
list(LENGTH files total)
if(bad)
    list(JOIN bad "\n  " badlist)
    message(FATAL_ERROR "Not formatted with .clang-format (run clang-format -i on them):\n  ${badlist}")
endif()
message(STATUS "${total} files formatted")
