// The smallest useful softphone: a window that receives the library's
// notifications, registration with a PBX, and the messages it sends printed
// as they arrive.
//
//   minimal_phone [PBX-IP [PBX-PORT [USER-ID [SECONDS]]]]
#include <KorvenSignalLib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

UINT largeEvent;
UINT normalEvent;

LRESULT OnMessage(HWND, UINT message, WPARAM id, LPARAM) {
    if (message == largeEvent) {
        std::printf("LARGE event %u\n", static_cast<unsigned>(id));
        if (id == LARGE_CALL_STATUS) std::printf("  call status %d\n", KORVEN_GetLargeCallStatus());
    } else if (message == normalEvent) {
        std::printf("NORMAL event %u\n", static_cast<unsigned>(id));
        char line1[KORVEN_LCD_LINE_SIZE] = {};
        char line2[KORVEN_LCD_LINE_SIZE] = {};
        int row = 0, column = 0;
        if (KORVEN_GetNormalPhoneLCDDisp(line1, line2, &row, &column) == 0) {
            std::printf("  |%s|\n  |%s|\n", line1, line2);
        }
    }
    return 0;
}

// Runs the window's messages for a while, with a link test every second as
// the PBX expects.
void PumpFor(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    DWORD lastLinkTest = start;
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - lastLinkTest >= 1000) {
            KORVEN_WideLinkTest();
            lastLinkTest = GetTickCount();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace

int main(int argc, char** argv) {
    largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    normalEvent = RegisterWindowMessageA(KORVEN_NORMAL_EVENT_MESSAGE_NAME);
    HWND window = CreateMessageWindow(&OnMessage);
    if (KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET) != 0) {
        std::printf("KORVEN_Init failed: %d\n", KORVEN_GetErrorCode());
        return 1;
    }
    char version[KORVEN_VERSION_BUFFER_SIZE] = {};
    KORVEN_GetVersion(version, sizeof version);
    std::printf("KorvenSignalLib %s\n", version);
    if (argc < 2) {
        std::printf("no PBX given; pass its address to register\n");
        return 0;
    }
    char user[16] = "1001";
    if (argc > 3) std::snprintf(user, sizeof user, "%s", argv[3]);
    KORVEN_SetSendIP(argv[1]);
    KORVEN_SetRecPort(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 6000u);
    KORVEN_SetListenPort(0);
    KORVEN_SetUserID(user);
    if (KORVEN_WidePhoneStart() != 0) {
        std::printf("KORVEN_WidePhoneStart failed: %d\n", KORVEN_GetErrorCode());
        return 1;
    }
    std::printf("registering as %s with %s\n", user, argv[1]);
    PumpFor(argc > 4 ? static_cast<unsigned>(std::atoi(argv[4]) * 1000) : 3000u);
    DestroyWindow(window);
    return 0;
}
