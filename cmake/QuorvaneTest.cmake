# quorvane_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# One QTest executable per subsystem area; every test runs offscreen so it needs no display.
function(quorvane_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE quorvane_settings Qt6::Test ${T_LIBS})
    target_compile_definitions(${T_NAME} PRIVATE
        QUORVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        QUORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QUORVANE_CONTENT_DIR="${QUORVANE_CONTENT_DIR}"
        QUORVANE_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVANE_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screens"
        LABELS "${T_LABELS}"
        TIMEOUT 600)
endfunction()
