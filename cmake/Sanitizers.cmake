# AddressSanitizer and UndefinedBehaviorSanitizer for every project target (OMBRIX_SANITIZE=ON).
add_library(ombrix_sanitizers INTERFACE)
if(OMBRIX_SANITIZE)
    target_compile_options(ombrix_sanitizers INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(ombrix_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
