# clang and lld-link for the 64-bit MSVC ABI (see msvc-abi.cmake).
set(KORVEN_MSVC_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/msvc-abi.cmake)
