# Script mode: reads the export table of the built DLL and fails, naming
# each one, when a GCC-mangled KORVEN_ export has no Microsoft-decorated
# export at the same address (a function the alias list missed), so an
# application built with Microsoft's compiler could not import it.
#
#   cmake -DREADOBJ=llvm-readobj -DDLL=KorvenSignalLib.dll -P KorvenCheckMsvcAliases.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${READOBJ} --coff-exports ${DLL}
  OUTPUT_VARIABLE table ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${READOBJ} cannot read the exports of ${DLL}:\n${errors}")
endif()

# Counts, per address, the GCC-mangled and the Microsoft-decorated KORVEN_
# names; every address needs as many of one as of the other.
string(REGEX MATCHALL "Name: [^\n]+\n +RVA: 0x[0-9A-Fa-f]+" exports "${table}")
set(addresses "")
set(gnu_total 0)
foreach(export IN LISTS exports)
  string(REGEX MATCH "Name: ([^\n]+)\n +RVA: (0x[0-9A-Fa-f]+)" _ "${export}")
  set(name "${CMAKE_MATCH_1}")
  set(address "${CMAKE_MATCH_2}")
  if(name MATCHES "^_Z[0-9]+KORVEN_")
    list(APPEND gnu_at_${address} "${name}")
    list(APPEND addresses ${address})
    math(EXPR gnu_total "${gnu_total} + 1")
  elseif(name MATCHES "^\\?KORVEN_")
    list(APPEND msvc_at_${address} "${name}")
  endif()
endforeach()

set(missing "")
list(REMOVE_DUPLICATES addresses)
foreach(address IN LISTS addresses)
  list(LENGTH gnu_at_${address} gnu_count)
  list(LENGTH msvc_at_${address} msvc_count)
  if(NOT gnu_count EQUAL msvc_count)
    list(APPEND missing ${gnu_at_${address}})
  endif()
endforeach()

get_filename_component(dll_name "${DLL}" NAME)
if(gnu_total EQUAL 0)
  message(FATAL_ERROR "${dll_name} exports no KORVEN_ function")
endif()
if(missing)
  list(JOIN missing "\n  " names)
  message(FATAL_ERROR "${dll_name}: these exports lack their Microsoft-decorated alias "
    "(is each declared with KORVEN_API in include/KorvenSignalLib.h?):\n  ${names}")
endif()
message(STATUS "${dll_name}: ${gnu_total} KORVEN_ exports, each also under its Microsoft-decorated name")
