#include "library_setup.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/app_state.h"

namespace korven::bench {

namespace {

std::atomic<int> registrationFrames{0};

int KORVEN_STDCALL CountRegistrationFrame(void*, int) {
    ++registrationFrames;
    return 0;
}

}  // namespace

std::string StartLibrary() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("korven-bench-" + std::to_string(stamp));
    std::filesystem::create_directories(directory / "log");
    theApp().StartUp(directory.string());
    return directory.string();
}

void RemoveModuleDirectory(const std::string& directory) {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

HWND IgnoringWindow() {
    static const HWND window = CreateMessageWindow([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    return window;
}

bool InitCallbackMode() {
    return KORVEN_Init(IgnoringWindow(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK) == 0 &&
           KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND) == 0;
}

bool RegisterSocketMode(pbxsim::PbxSimulator& pbx, HWND window, int messageType, LawPacketCallback onDatagram,
                        ReceivePacing pacing) {
    CKorvenSignalLibApp& app = theApp();
    if (KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET) != 0) return false;
    app.endpoint = std::make_unique<CKRVPWinsock>(&app, pacing);
    char sendIp[] = "127.0.0.1";
    char userId[] = "1001";
    KORVEN_SetSendIP(sendIp);
    KORVEN_SetUserID(userId);
    KORVEN_SetRecPort(pbx.SignalPort());
    KORVEN_SetListenPort(0);
    KORVEN_SetWindowMessageType(messageType);
    KORVEN_CallBackRegFnRecvLawPacket(CountRegistrationFrame);
    registrationFrames = 0;
    if (KORVEN_WidePhoneStart() != 0) return false;
    // The registration answers are two frames.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (registrationFrames < 2 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (onDatagram != nullptr) KORVEN_CallBackRegFnRecvLawPacket(onDatagram);
    return registrationFrames == 2;
}

}  // namespace korven::bench
