# The Windows package a developer downloads: one ZIP per architecture,
# KorvenSignalLib-<version>-win32.zip (i686) or -win64.zip (x86_64), with
#   bin/      KorvenSignalLib.dll
#   lib/      KorvenSignalLib.lib (Microsoft's linker), libKorvenSignalLib.dll.a
#             (mingw), KorvenSignalLib.def, the CMake package and pkg-config file
#   include/  the public headers
#   examples/ the Windows example and its CMakeLists.txt
#   README.txt
# Made by `cpack --preset mingw32` / `mingw64` after the build.
if(NOT WIN32)
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/examples/CMakeLists.txt DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/minimal_phone.cpp DESTINATION examples/windows)
configure_file(${PROJECT_SOURCE_DIR}/cmake/package-README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KorvenSignalLib)
set(CPACK_PACKAGE_VENDOR KorvenSignalLib)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
# The DLL ships without its symbol table; the exports stay.
set(CPACK_STRIP_FILES ON)
include(CPack)
