# Warnings are errors in the project's own code; Qt and system headers come in as SYSTEM.
function(vellum_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wpedantic)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                 QT_NO_URL_CAST_FROM_STRING)
endfunction()
