# One interface target carries the language level, warnings and Qt defines
# for every target of the project.
add_library(numora_common INTERFACE)
target_compile_features(numora_common INTERFACE cxx_std_20)
target_compile_options(numora_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(numora_common INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
if(DEFINED ENV{CI})
  target_compile_options(numora_common INTERFACE -Werror)
endif()
