# Shared part of the msvc-abi-*.cmake toolchains: a stand-in for Microsoft's
# compiler and linker on Linux. clang compiles for the MSVC ABI and links
# through lld-link, with mingw-w64's Windows headers, C++ headers and system
# import libraries in place of the Windows SDK. There is no C run time, so
# try_compile builds static libraries only and programs bring their own
# entry point. Set KORVEN_MSVC_ARCH (i686 or x86_64) before including.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${KORVEN_MSVC_ARCH}-pc-windows-msvc)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(KORVEN_MINGW_TRIPLE ${KORVEN_MSVC_ARCH}-w64-mingw32)
file(GLOB KORVEN_MINGW_CXX_INCLUDE /usr/lib/gcc/${KORVEN_MINGW_TRIPLE}/*/include/c++)
list(GET KORVEN_MINGW_CXX_INCLUDE 0 KORVEN_MINGW_CXX_INCLUDE)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${KORVEN_MINGW_CXX_INCLUDE} ${KORVEN_MINGW_CXX_INCLUDE}/${KORVEN_MINGW_TRIPLE} /usr/${KORVEN_MINGW_TRIPLE}/include)
set(CMAKE_CXX_STANDARD_LIBRARIES
  "/usr/${KORVEN_MINGW_TRIPLE}/lib/libkernel32.a /usr/${KORVEN_MINGW_TRIPLE}/lib/libuser32.a")
# /nodefaultlib: the run-time library that CMake's flags ask for is not there.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Xlinker /nodefaultlib")
# mingw-w64's headers recognise the compiler by GCC's macros; libstdc++'s
# expect __STRICT_ANSI__ in a standard (non-GNU) mode.
set(CMAKE_CXX_FLAGS_INIT "-fms-extensions -fgnuc-version=4.2.1 -D__STRICT_ANSI__")
