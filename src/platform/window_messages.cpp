// The window-message services over the Win32 message functions: user32 on
// Windows, the library's own facility of the same names elsewhere. Only the
// wait differs between the two and lives in the platform folders.
#include "platform/window_messages.h"

#if defined(_WIN32)
#  include <windows.h>
#else
#  include "KorvenWinCompat.h"
#endif

namespace korven::platform {

unsigned RegisterMessage(const char* name) { return RegisterWindowMessageA(name); }

intptr_t SendToWindow(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

bool PostToWindow(WindowHandle window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return PostMessageA(static_cast<HWND>(window), message, wParam, lParam) != FALSE;
}

bool DispatchOneMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        // Put back for the application's own loop, which would otherwise
        // never end.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

uint32_t TickCount() { return GetTickCount(); }

}  // namespace korven::platform
