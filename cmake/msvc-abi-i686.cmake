# clang and lld-link for the 32-bit MSVC ABI (see msvc-abi.cmake).
set(KORVEN_MSVC_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/msvc-abi.cmake)
# mingw-w64's headers take the architecture from _X86_ when GCC's macros are
# missing; its import libraries carry no safe exception handler tables.
string(APPEND CMAKE_CXX_FLAGS_INIT " -D_X86_=1")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Xlinker /safeseh:no")
