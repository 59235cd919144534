# Debian's hardening, as DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags gives it: checked
# C library calls, a stack protector, format checks, relocations read-only and resolved at start-up,
# and position-independent programs. In every optimised build, so that a package made by cpack from
# any Release or RelWithDebInfo build has them; not under the sanitizers or libFuzzer, which bring
# their own instrumentation.
add_library(ombrix_hardening INTERFACE)
if(NOT OMBRIX_SANITIZE AND NOT OMBRIX_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(ombrix_optimised "$<CONFIG:Release,RelWithDebInfo>")
    target_compile_definitions(ombrix_hardening INTERFACE "$<${ombrix_optimised}:_FORTIFY_SOURCE=2>")
    target_compile_options(ombrix_hardening INTERFACE
        "$<${ombrix_optimised}:-fstack-protector-strong;-Wformat;-Werror=format-security;-Wdate-time>")
    target_link_options(ombrix_hardening INTERFACE
        "$<${ombrix_optimised}:LINKER:-z,relro;LINKER:-z,now>")
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
