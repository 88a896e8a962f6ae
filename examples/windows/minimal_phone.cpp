// The smallest useful Windows softphone: a window whose procedure receives
// the library's notifications and fetches the records with the getters.
//
//   minimal_phone.exe [PBX-IP [PBX-PORT [USER-ID]]]
#include <windows.h>

#include <KorvenSignalLib.h>

#include <cstdio>
#include <cstdlib>

namespace {

UINT largeEvent;
UINT normalEvent;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM id, LPARAM lParam) {
    if (message == largeEvent) {
        std::printf("LARGE event %u\n", static_cast<unsigned>(id));
        if (id == LARGE_CALL_STATUS) std::printf("  call status %d\n", KORVEN_GetLargeCallStatus());
        return 0;
    }
    if (message == normalEvent) {
        char line1[KORVEN_LCD_LINE_SIZE] = {};
        char line2[KORVEN_LCD_LINE_SIZE] = {};
        int row = 0, column = 0;
        if (KORVEN_GetNormalPhoneLCDDisp(line1, line2, &row, &column) == 0) {
            std::printf("  |%s|\n  |%s|\n", line1, line2);
        }
        return 0;
    }
    if (message == WM_TIMER) {
        KORVEN_WideLinkTest();
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, id, lParam);
}

HWND CreatePhoneWindow(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "MinimalPhone";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "MinimalPhone", "Minimal phone", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320,
                           120, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    normalEvent = RegisterWindowMessageA(KORVEN_NORMAL_EVENT_MESSAGE_NAME);
    HWND window = CreatePhoneWindow(instance);
    if (KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET) != 0) return 1;
    char version[KORVEN_VERSION_BUFFER_SIZE] = {};
    KORVEN_GetVersion(version, sizeof version);
    std::printf("KorvenSignalLib %s\n", version);
    if (__argc > 1) {
        char user[16] = "1001";
        if (__argc > 3) std::snprintf(user, sizeof user, "%s", __argv[3]);
        KORVEN_SetSendIP(__argv[1]);
        KORVEN_SetRecPort(__argc > 2 ? static_cast<unsigned>(std::atoi(__argv[2])) : 6000u);
        KORVEN_SetUserID(user);
        if (KORVEN_WidePhoneStart() != 0) return 1;
        SetTimer(window, 1, KORVEN_GetAliveLinkTime(), nullptr);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
