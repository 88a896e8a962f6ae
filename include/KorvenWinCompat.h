// A minimal Win32-style window-message facility for POSIX builds, so that an
// application receives the library's notifications the same way as on
// Windows: register a message-only window, pump its thread's queue, and let
// the window procedure call the getters.
#pragma once

#if !defined(_WIN32)

#  include <stdint.h>

#  include "KorvenExport.h"

typedef struct HWND__* HWND;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef int BOOL;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
// Window procedures are __stdcall on 32-bit Windows; here the default
// convention, so one declaration serves both.
#  ifndef CALLBACK
#    define CALLBACK
#  endif
typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
} MSG;

#  ifndef TRUE
#    define TRUE 1
#  endif
#  ifndef FALSE
#    define FALSE 0
#  endif
#  define PM_NOREMOVE 0u
#  define PM_REMOVE 1u
#  define WM_QUIT 0x0012u

#  ifdef __cplusplus
extern "C" {
#  endif

// Same name gives the same id (names match regardless of ASCII case, as on
// Windows); ids start at 0xC000. 0 for a null or empty name and once the ids
// up to 0xFFFF are used up.
KORVEN_API UINT RegisterWindowMessageA(const char* name);
// A message-only window owned by the calling thread; its messages are run by
// that thread's pump. It is destroyed when that thread ends. NULL when proc is
// null.
KORVEN_API HWND CreateMessageWindow(WNDPROC proc);
// Any thread may destroy a window. Messages queued for it are dropped and
// blocked senders to it return 0; a procedure already running for it
// finishes. FALSE for an unknown window.
KORVEN_API BOOL DestroyWindow(HWND hwnd);
// On the owner thread a direct call; from another thread the message is
// queued to the owner and the caller blocks until the owner's pump has run
// the window procedure. Returns 0 at once when the window is, or becomes,
// destroyed.
KORVEN_API LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues to the owner thread; FALSE for an unknown or null window.
KORVEN_API BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts WM_QUIT to the calling thread; it is retrieved, with exitCode as
// wParam, once no other posted message passes the filters (a window filter
// never takes it).
KORVEN_API void PostQuitMessage(int exitCode);
// Runs pending sent messages of the calling thread's windows first, then
// returns a posted one (removed with PM_REMOVE). Filters as on Windows: a
// null hwnd and 0/0 range take everything.
KORVEN_API BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until a posted message arrives (running sent messages meanwhile);
// 0 for WM_QUIT, -1 for a null msg or a window filter naming no window, else
// nonzero.
KORVEN_API BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Nothing to translate: always FALSE.
KORVEN_API BOOL TranslateMessage(const MSG* msg);
// Calls the procedure of msg->hwnd; 0 when there is no such window.
KORVEN_API LRESULT DispatchMessageA(const MSG* msg);
// Milliseconds since an arbitrary start, wrapping at 2^32.
KORVEN_API DWORD GetTickCount(void);

#  ifdef __cplusplus
}
#  endif

#endif
