# Our own targets build with every common warning. Developers and CI make them fatal
# (KIVPRISM_WERROR=ON, which test.sh sets); a user's or packager's plain build does not, since a
# newer or older compiler may warn where ours does not.
option(KIVPRISM_WERROR "Treat compiler warnings as errors" OFF)
function(kivprism_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(KIVPRISM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
