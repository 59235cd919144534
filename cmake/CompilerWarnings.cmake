# Warnings as an INTERFACE target: every project target links ombrix_warnings.
add_library(ombrix_warnings INTERFACE)
target_compile_options(ombrix_warnings INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall -Wextra -Wpedantic -Wold-style-cast -Wshadow
        -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
        -Wnull-dereference -Wformat=2>)
if(OMBRIX_WERROR)
    target_compile_options(ombrix_warnings INTERFACE
        $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Werror>)
endif()
