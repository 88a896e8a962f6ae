#include "core/app_state.h"

#include <cstring>
#include <new>

#include "KorvenErrors.h"
#include "core/diagnostic_log.h"
#include "core/local_adapters.h"
#include "platform/host.h"
#include "platform/window_messages.h"
#include "transport/dispatch_thread.h"
#include "transport/message_queue.h"
#include "transport/udp_endpoint.h"

CKorvenSignalLibApp::CKorvenSignalLibApp() : frameQueue(std::make_unique<CMessageQueue>()) {}

CKorvenSignalLibApp::~CKorvenSignalLibApp() = default;

bool CKorvenSignalLibApp::InitInstance() { return StartUp(korven::platform::ModuleDirectory()); }

bool CKorvenSignalLibApp::StartUp(const std::string& directory) {
    moduleDirectory = directory;
    endpoint = std::make_unique<CKRVPWinsock>(this);
    InitDefaults();
    normalEventMessage = korven::platform::RegisterMessage("Softphone NORMAL EVENT");
    largeEventMessage = korven::platform::RegisterMessage("Softphone LARGE EVENT");
    {
        std::lock_guard<std::mutex> guard(configLock);
        korven::LogLocalAdapters(localMAC, localIP);
    }
    OpenLogFile(1);
    started_ = true;
    return true;
}

void CKorvenSignalLibApp::ExitInstance() {
    if (!started_) return;
    started_ = false;
    endpoint.reset();
    StopDispatchThread(*this);
    korven::platform::DebugOutput("[KorvenSignalLib]-ExitInstance");
    korven::TheLog().Close(!threadsCannotEnd);
}

void CKorvenSignalLibApp::InitDefaults() {
    initialised = 0;
    errorCode = 0;
    systemType = 0;
    networkMode = 0;
    listenMode = 0;
    windowMessageType = 0;
    recPort = 6000;
    listenPort = 6000;
    aliveLinkTime = 5000;
    appWindow = nullptr;
    {
        std::lock_guard<std::mutex> guard(configLock);
        std::memset(localIP, 0, sizeof localIP);
        std::memset(localMAC, 0, sizeof localMAC);
        std::memset(sendIP, 0, sizeof sendIP);
        std::memset(userID, 0, sizeof userID);
        std::memset(userPassword, 0, sizeof userPassword);
        std::memcpy(userPassword, "5803", 4);
    }
    ClearRecords();
}

void CKorvenSignalLibApp::ClearRecords() {
    std::lock_guard<std::mutex> guard(recordLock);
    large = LargeRecords{};
    normal = NormalRecords{};
}

int CKorvenSignalLibApp::Fail(int code) {
    errorCode = code;
    return -1;
}

bool CKorvenSignalLibApp::RequireInitialised() {
    if (initialised != 0) return true;
    Fail(KORVEN_ERR_NOT_INITIALISED);
    return false;
}

std::string CKorvenSignalLibApp::SendIP() const {
    std::lock_guard<std::mutex> guard(configLock);
    return std::string(sendIP, strnlen(sendIP, sizeof sendIP));
}

std::string CKorvenSignalLibApp::LocalIP() const {
    std::lock_guard<std::mutex> guard(configLock);
    return std::string(localIP, strnlen(localIP, sizeof localIP));
}

namespace {

// The instance lives in the library's own storage, so that an unloaded
// library leaves none of it on the heap. No static destructor ends it: at
// process exit they run before the unload hook, which still needs it.
alignas(CKorvenSignalLibApp) unsigned char appStorage[sizeof(CKorvenSignalLibApp)];

}  // namespace

CKorvenSignalLibApp& theApp() {
    static CKorvenSignalLibApp* const app = new (appStorage) CKorvenSignalLibApp;
    return *app;
}

void ReleaseLibraryState() {
    theApp().~CKorvenSignalLibApp();
    korven::ReleaseTheLog();
}
