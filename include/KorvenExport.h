// Export and calling-convention macros shared by the public headers.
#pragma once

#if defined(_WIN32)
#  if defined(KORVEN_BUILDING_LIBRARY)
#    define KORVEN_API __declspec(dllexport)
#  else
#    define KORVEN_API __declspec(dllimport)
#  endif
#  define KORVEN_STDCALL __stdcall
#else
#  define KORVEN_API __attribute__((visibility("default")))
#  define KORVEN_STDCALL
#endif
