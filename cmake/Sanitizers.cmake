# AddressSanitizer and UndefinedBehaviorSanitizer for every project target (OMBRIX_SANITIZE=ON).
# OMBRIX_FUZZ=ON (clang only) adds libFuzzer's coverage instrumentation to them; the fuzz targets
# themselves link libFuzzer (fuzz/CMakeLists.txt).
add_library(ombrix_sanitizers INTERFACE)
if(OMBRIX_SANITIZE OR OMBRIX_FUZZ)
    set(ombrix_sanitize_list address,undefined)
    if(OMBRIX_FUZZ)
        set(ombrix_sanitize_list fuzzer-no-link,address,undefined)
    endif()
    target_compile_options(ombrix_sanitizers INTERFACE
        -fsanitize=${ombrix_sanitize_list} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(ombrix_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
