# Makes the Windows DLL usable from applications built with Microsoft's
# compiler: the DLL exports every KORVEN_ function also under the name that
# compiler gives it (aliases generated from the public header at each build,
# so a new export needs no list edited by hand), a check after each link
# fails naming any export left without its alias, and an import library for
# Microsoft's linker, KorvenSignalLib.lib, is made beside the DLL, its .def
# and the GNU import library. Needs clang, llvm-dlltool and llvm-readobj.
find_program(KORVEN_CLANGXX NAMES clang++ clang++-14 REQUIRED)
find_program(KORVEN_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
find_program(KORVEN_READOBJ NAMES llvm-readobj llvm-readobj-14 REQUIRED)

function(korven_add_msvc_exports target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(arch i686)
    set(machine i386)
  else()
    set(arch x86_64)
    set(machine i386:x86-64)
  endif()
  # clang reads mingw-w64's Windows and C++ headers; GCC's own intrinsic
  # headers are left to clang's.
  set(includes ${CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES})
  list(FILTER includes EXCLUDE REGEX "/lib/gcc/[^/]+/[^/]+/include(-fixed)?$")
  list(JOIN includes "|" includes)

  set(header ${PROJECT_SOURCE_DIR}/include/KorvenSignalLib.h)
  file(GLOB public_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/include/*.h)
  set(aliases ${CMAKE_CURRENT_BINARY_DIR}/msvc_aliases.def)
  add_custom_command(OUTPUT ${aliases}
    COMMAND ${CMAKE_COMMAND} -DCLANGXX=${KORVEN_CLANGXX} -DARCH=${arch} -DHEADER=${header}
            -DINCLUDES=${includes} -DOUTPUT=${aliases} -P ${PROJECT_SOURCE_DIR}/cmake/KorvenMsvcAliases.cmake
    DEPENDS ${public_headers} ${PROJECT_SOURCE_DIR}/cmake/KorvenMsvcAliases.cmake
    COMMENT "Microsoft-decorated names of the exports (${arch})"
    VERBATIM)
  target_sources(${target} PRIVATE ${aliases})

  # GNU ld writes the full export list (GCC and Microsoft names) as the .def
  # that ships; llvm-dlltool makes the import library from it, because GNU
  # ld's own i686 import library prefixes the decorated names with one
  # underscore too many for Microsoft's linker.
  set(directory $<TARGET_FILE_DIR:${target}>)
  target_link_options(${target} PRIVATE -Wl,--output-def,${directory}/KorvenSignalLib.def)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DREADOBJ=${KORVEN_READOBJ} -DDLL=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/KorvenCheckMsvcAliases.cmake
    COMMAND ${KORVEN_DLLTOOL} -m ${machine} -d ${directory}/KorvenSignalLib.def -D $<TARGET_FILE_NAME:${target}>
            -l ${directory}/KorvenSignalLib.lib
    VERBATIM)
endfunction()
