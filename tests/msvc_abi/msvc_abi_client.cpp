// An application as a Windows developer builds it: compiled for the MSVC ABI
// and linked against KorvenSignalLib.lib with Microsoft's linker conventions.
// It imports every function it uses by its Microsoft-decorated name and goes
// through the interface end to end: error codes, KORVEN_Init on a real
// message-only window, both KORVEN_EnableIPv6 overloads, the __stdcall
// raw-frame callbacks, a record getter, and a registration with the PBX
// simulator whose notifications must reach the window.
//
// It needs no C run time (built with /nodefaultlib and its own entry point):
// output goes through WriteFile, formatting through user32's wsprintfA.
//
//   KORVEN_PBX_PORT=<simulator port> msvc_abi_client.exe
// Exit code 0 when every check passes.
#include <KorvenSignalLib.h>

namespace {

constexpr DWORD kTimeoutMs = 20000;

int failures = 0;
int passes = 0;

void Print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

void Check(bool ok, const char* what) {
    char line[256];
    wsprintfA(line, "%s - %s\r\n", ok ? "ok" : "FAILED", what);
    Print(line);
    ++(ok ? passes : failures);
}

// Succeeds with result and error code as expected.
void CheckCall(int result, int expectedResult, int expectedCode, const char* what) {
    const int code = KORVEN_GetErrorCode();
    char line[200];
    wsprintfA(line, "%s: result %d, error code %d", what, result, code);
    Check(result == expectedResult && code == expectedCode, line);
}

bool StartsWith(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (*text != *prefix) return false;
    }
    return true;
}

// What the callbacks and the window procedure saw, read on the main thread
// once the notifications are in.
struct Seen {
    volatile LONG sentFrames;
    volatile LONG sentPhoneStart;
    volatile LONG receivedFrames;
    bool versionCheck;
    bool initialEnd;
    STSOFTVERSIONCHECK registration;
    int initialEndId;
};
Seen seen;
UINT largeEvent;

// Frame byte 10 is the message class, byte 11 the message id.
int KORVEN_STDCALL OnSend(void* frame, int length) {
    const unsigned char* bytes = static_cast<const unsigned char*>(frame);
    InterlockedIncrement(&seen.sentFrames);
    if (length >= 12 && bytes[0] == 0x7E && bytes[10] == 0x29 && bytes[11] == 1) {
        InterlockedIncrement(&seen.sentPhoneStart);
    }
    return 0;
}

int KORVEN_STDCALL OnReceive(void* frame, int length) {
    const unsigned char* bytes = static_cast<const unsigned char*>(frame);
    if (length >= 12 && bytes[0] == 0x7E && bytes[10] == 0x11) InterlockedIncrement(&seen.receivedFrames);
    return 0;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM id, LPARAM lParam) {
    if (message != largeEvent) return DefWindowProcA(window, message, id, lParam);
    if (id == LARGE_VERS_CHECK) {
        seen.versionCheck = KORVEN_GetLargeVersionCheck(&seen.registration) == 0;
    } else if (id == LARGE_INITIAL_END) {
        seen.initialEndId = KORVEN_GetLargeInitialEndID();
        seen.initialEnd = true;
    }
    return 0;
}

HWND CreateMessageOnlyWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KorvenMsvcAbiClient";
    if (RegisterClassA(&windowClass) == 0) return nullptr;
    return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

// Dispatches this thread's messages until both registration answers were
// notified and handed to the receive callback (which the library calls after
// notifying), or the time is up.
bool PumpUntilRegistered() {
    const DWORD start = GetTickCount();
    while (!(seen.versionCheck && seen.initialEnd && seen.receivedFrames >= 2)) {
        if (GetTickCount() - start > kTimeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

unsigned PbxPort() {
    char text[16] = {};
    if (GetEnvironmentVariableA("KORVEN_PBX_PORT", text, sizeof text) == 0) return 0;
    unsigned port = 0;
    for (const char* digit = text; *digit >= '0' && *digit <= '9'; ++digit) port = port * 10 + (*digit - '0');
    return port;
}

void CheckConfiguration(HWND window) {
    char version[KORVEN_VERSION_BUFFER_SIZE] = {};
    CheckCall(KORVEN_GetVersion(version, sizeof version), -1, KORVEN_ERR_NOT_INITIALISED, "GetVersion before Init");
    Check(window != nullptr, "message-only window created");
    CheckCall(KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET), 0, KORVEN_OK, "Init");
    CheckCall(KORVEN_GetVersion(version, sizeof version - 1), -1, KORVEN_ERR_BUFFER_TOO_SMALL,
              "GetVersion into 99 bytes");
    CheckCall(KORVEN_GetVersion(version, sizeof version), 0, KORVEN_OK, "GetVersion");
    Check(version[0] >= '1' && version[0] <= '9', version);
    // Crossed aliases would swap these results: the setter always fails, the
    // getter always returns 0.
    CheckCall(KORVEN_EnableIPv6(1), -1, KORVEN_ERR_NOT_AVAILABLE_IN_MODE, "EnableIPv6(int)");
    // These three keep the earlier error code on success.
    CheckCall(KORVEN_EnableIPv6(), 0, KORVEN_ERR_NOT_AVAILABLE_IN_MODE, "EnableIPv6()");
    CheckCall(KORVEN_CallBackRegFnSendLawPacket(OnSend), 0, KORVEN_ERR_NOT_AVAILABLE_IN_MODE, "send callback");
    CheckCall(KORVEN_CallBackRegFnRecvLawPacket(OnReceive), 0, KORVEN_ERR_NOT_AVAILABLE_IN_MODE, "receive callback");
    CheckCall(KORVEN_CallBackRegFnRecvLawPacket(nullptr), -1, KORVEN_ERR_INVALID_ARGUMENT, "null receive callback");
}

void CheckRegistration(unsigned port) {
    char address[] = "127.0.0.1";
    char user[] = "1001";
    KORVEN_SetSendIP(address);
    KORVEN_SetRecPort(port);
    KORVEN_SetListenPort(0);  // any free local port: the simulator answers the sender
    KORVEN_SetUserID(user);
    Check(KORVEN_GetRecPort() == port, "RecPort set");
    CheckCall(KORVEN_WidePhoneStart(), 0, KORVEN_OK, "WidePhoneStart");
    Check(seen.sentPhoneStart == 1, "send callback saw the registration frame");
    Check(PumpUntilRegistered(), "both answers notified to the window and the receive callback");
    Check(seen.versionCheck, "LARGE_VERS_CHECK notified, GetLargeVersionCheck");
    // The simulator's answer: Result 0, digits 1234, real port 6000 (an int
    // at offset 12, after three single bytes and 8 digits).
    Check(seen.registration.Result == 0 && StartsWith(seen.registration.Digits, "1234") &&
              seen.registration.RealPort == 6000,
          "version-check record: result 0, digits 1234, real port 6000");
    Check(seen.initialEnd && seen.initialEndId == 1, "LARGE_INITIAL_END notified, GetLargeInitialEndID is 1");
    Check(seen.receivedFrames >= 2, "receive callback saw both answers");
    CheckCall(KORVEN_WideInitialEnd(), 0, KORVEN_OK, "WideInitialEnd");
}

}  // namespace

// No C run time: the compiler zeroes records with a call to memset.
extern "C" void* __cdecl memset(void* destination, int value, size_t count) {
    // volatile: the loop must not be turned back into a call to memset.
    volatile unsigned char* bytes = static_cast<unsigned char*>(destination);
    while (count-- > 0) *bytes++ = static_cast<unsigned char>(value);
    return destination;
}

extern "C" void __cdecl ClientMain() {
    largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    const unsigned port = PbxPort();
    Check(port != 0, "KORVEN_PBX_PORT names the simulator's port");
    CheckConfiguration(CreateMessageOnlyWindow());
    if (failures == 0) CheckRegistration(port);
    char line[80];
    wsprintfA(line, "msvc-abi client: %d checks passed, %d failed\r\n", passes, failures);
    Print(line);
    ExitProcess(failures == 0 ? 0 : 1);
}
