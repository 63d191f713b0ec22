# One interface target carries the project's compiler flags; every target of
# the project links it instead of repeating them.
add_library(project_flags INTERFACE)
target_compile_options(project_flags INTERFACE -Wall -Wextra -Wpedantic)
if(TICKET_WARNINGS_AS_ERRORS)
    target_compile_options(project_flags INTERFACE -Werror)
endif()

set(TICKET_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
if(TICKET_SANITIZE)
    target_compile_options(project_flags INTERFACE
        -fsanitize=${TICKET_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(project_flags INTERFACE -fsanitize=${TICKET_SANITIZE})
endif()
if(TICKET_FUZZ)
    # Coverage for libFuzzer in every library the fuzz targets link.
    target_compile_options(project_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
