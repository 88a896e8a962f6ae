# Warnings for every target of the project.
add_library(korven_warnings INTERFACE)
target_compile_options(korven_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(KORVEN_WARNINGS_AS_ERRORS)
  target_compile_options(korven_warnings INTERFACE -Werror)
endif()
# GCC 12 reports out-of-bounds copies inside std::vector::insert that cannot
# happen (GCC bug 107852 and its relatives); the sanitizer builds check the
# real bounds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(korven_warnings INTERFACE -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()
