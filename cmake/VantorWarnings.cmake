# Warnings and sanitizers for the project's own targets; third-party code is left alone.
function(vantor_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 reports string concatenation at -O2/-O3 as overlapping memcpy (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VANTOR_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${VANTOR_SANITIZE} -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=${VANTOR_SANITIZE})
  endif()
endfunction()
