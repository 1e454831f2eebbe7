# One interface target carries the language level, warnings and Qt defines
# for every target of the project.
add_library(numora_common INTERFACE)
target_compile_features(numora_common INTERFACE cxx_std_20)
target_compile_options(numora_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(numora_common INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
# Warnings fail the build of the set-up script and of CI; a hand-made build
# with another compiler is not stopped by a warning it alone gives.
option(NUMORA_WERROR "Treat warnings as errors" OFF)
if(NUMORA_WERROR OR DEFINED ENV{CI})
  target_compile_options(numora_common INTERFACE -Werror)
endif()
