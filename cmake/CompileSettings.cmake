# One interface target carries the compile settings every target of ours links.
add_library(quorvane_settings INTERFACE)
target_compile_features(quorvane_settings INTERFACE cxx_std_20)
target_compile_definitions(quorvane_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS
    QUORVANE_VERSION="${PROJECT_VERSION}")
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(quorvane_settings INTERFACE -Wall -Wextra)
    if(DEFINED ENV{CI})
        target_compile_options(quorvane_settings INTERFACE -Werror)
    endif()
elseif(MSVC)
    target_compile_options(quorvane_settings INTERFACE /W4 /utf-8)
    if(DEFINED ENV{CI})
        target_compile_options(quorvane_settings INTERFACE /WX)
    endif()
endif()
