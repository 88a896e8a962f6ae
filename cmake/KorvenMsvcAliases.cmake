# Script mode: writes the .def lines that export every KORVEN_ function of the
# public header a second time, under the name Microsoft's compiler gives its
# declaration, as an alias of the GCC-mangled function:
#
#   ?KORVEN_Init@@YAHPAUHWND__@@HH@Z = _Z11KORVEN_InitP6HWND__ii
#
# Both names come from clang reading the header, once for the MSVC ABI and
# once for the GNU one; none is spelled by hand (argument back-references,
# struct tags, the __stdcall callback and overloads make that error-prone).
# Compiling the header for the MSVC ABI also checks every layout
# static_assert there.
#
#   cmake -DCLANGXX=clang++ -DARCH=i686|x86_64 -DHEADER=KorvenSignalLib.h
#         -DINCLUDES=dir|dir|... -DOUTPUT=msvc_aliases.def -P KorvenMsvcAliases.cmake
cmake_minimum_required(VERSION 3.25)

foreach(variable CLANGXX ARCH HEADER OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "KorvenMsvcAliases.cmake needs -D${variable}=...")
  endif()
endforeach()

# mingw-w64's headers recognise the compiler by GCC's macros and, on i686,
# the architecture by _X86_; libstdc++'s expect __STRICT_ANSI__ in a
# standard (non-GNU) mode.
set(KORVEN_MSVC_FLAGS --target=${ARCH}-pc-windows-msvc -fms-extensions -fgnuc-version=4.2.1 -D__STRICT_ANSI__)
if(ARCH STREQUAL "i686")
  list(APPEND KORVEN_MSVC_FLAGS -D_X86_=1)
endif()
set(KORVEN_GNU_FLAGS --target=${ARCH}-w64-mingw32)

# Sets out to "name|decorated name" for every KORVEN_ function of the header,
# in declaration order, as clang mangles it with the given flags.
function(korven_mangled_names abi out)
  string(REPLACE "|" ";" includes "${INCLUDES}")
  list(TRANSFORM includes PREPEND "-isystem")
  set(dump "${OUTPUT}.${abi}.json")
  execute_process(
    COMMAND ${CLANGXX} ${ARGN} -std=c++17 -fsyntax-only -Wno-pragma-once-outside-header ${includes}
            -Xclang -ast-dump=json -Xclang -ast-dump-filter=KORVEN_ -x c++ ${HEADER}
    OUTPUT_FILE "${dump}" ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "clang cannot compile ${HEADER} for the ${abi} ABI (${ARCH}):\n${errors}")
  endif()
  # Each matched declaration is a top-level object whose own keys are
  # indented by two spaces; deeper keys belong to its parameters.
  file(STRINGS "${dump}" lines REGEX "^  \"(kind|name|mangledName)\": ")
  file(REMOVE "${dump}")
  set(names "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^  \"([a-zA-Z]+)\": \"(.*)\",?$" _ "${line}")
    set(key "${CMAKE_MATCH_1}")
    set(value "${CMAKE_MATCH_2}")
    if(key STREQUAL "kind")
      set(kind "${value}")
    elseif(key STREQUAL "name")
      set(name "${value}")
    elseif(kind STREQUAL "FunctionDecl" AND name MATCHES "^KORVEN_")
      list(APPEND names "${name}|${value}")
    endif()
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

korven_mangled_names(msvc msvc_names ${KORVEN_MSVC_FLAGS})
korven_mangled_names(gnu gnu_names ${KORVEN_GNU_FLAGS})

list(LENGTH msvc_names count)
list(LENGTH gnu_names gnu_count)
if(count EQUAL 0 OR NOT count EQUAL gnu_count)
  message(FATAL_ERROR "${HEADER}: ${count} KORVEN_ functions for the MSVC ABI, ${gnu_count} for the GNU ABI")
endif()

get_filename_component(header_name "${HEADER}" NAME)
set(text "; Generated from ${header_name} by KorvenMsvcAliases.cmake: every export\n")
string(APPEND text "; also under the name Microsoft's compiler gives it (${ARCH}).\nEXPORTS\n")
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
  list(GET msvc_names ${index} msvc)
  list(GET gnu_names ${index} gnu)
  string(REPLACE "|" ";" msvc "${msvc}")
  string(REPLACE "|" ";" gnu "${gnu}")
  list(GET msvc 0 name)
  list(GET gnu 0 gnu_name)
  list(GET msvc 1 msvc_symbol)
  list(GET gnu 1 gnu_symbol)
  if(NOT name STREQUAL gnu_name)
    message(FATAL_ERROR "${HEADER}: declaration ${index} is ${name} for the MSVC ABI but ${gnu_name} for the GNU ABI")
  endif()
  # extern "C" functions keep one name under both compilers.
  if(NOT msvc_symbol MATCHES "^\\?")
    continue()
  endif()
  # On i686 clang reports the symbol with the C prefix underscore; the .def
  # names the function as GCC spells it, and GNU ld adds the prefix itself.
  string(REGEX REPLACE "^__Z" "_Z" gnu_symbol "${gnu_symbol}")
  string(APPEND text "${msvc_symbol} = ${gnu_symbol}\n")
endforeach()
file(WRITE "${OUTPUT}" "${text}")
