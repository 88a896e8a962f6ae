# Warnings for every target of the project.
add_library(korven_warnings INTERFACE)
target_compile_options(korven_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(KORVEN_WARNINGS_AS_ERRORS)
  target_compile_options(korven_warnings INTERFACE -Werror)
endif()
