// The library's single state object: configuration, modes, error code,
// notification settings, the UDP endpoint, the frame queue and the decoded
// records.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "large/large_records.h"
#include "normal/normal_records.h"

class CKRVPWinsock;
class CMessageQueue;
namespace korven::platform {
class CompletionSignal;
}

class CKorvenSignalLibApp {
public:
    CKorvenSignalLibApp();
    ~CKorvenSignalLibApp();
    CKorvenSignalLibApp(const CKorvenSignalLibApp&) = delete;
    CKorvenSignalLibApp& operator=(const CKorvenSignalLibApp&) = delete;

    // Load-time start-up: module directory, endpoint, defaults, window
    // messages, local adapters, log file. Always succeeds.
    bool InitInstance();
    // The same start-up with an explicit module directory (the log lives
    // below it).
    bool StartUp(const std::string& moduleDirectory);
    // Unload: endpoint and threads stopped, closing banner, log closed.
    void ExitInstance();

    // Set while the library is unloaded under the Windows loader lock: a
    // thread cannot end there, so stopping threads waits for them only to
    // leave their loops (bounded) and then lets them go.
    std::atomic<bool> threadsCannotEnd{false};

    // Sets the error code and returns -1, the result of every failed export.
    int Fail(int code);
    // False (with error 11002) before KORVEN_Init.
    bool RequireInitialised();

    std::atomic<int> initialised{0};
    std::atomic<int> errorCode{0};
    std::mutex parserLock;
    std::unique_ptr<CMessageQueue> frameQueue;
    std::thread dispatchThread;
    std::atomic<int> dispatchRunning{0};
    // Completed by the dispatch thread as it ends.
    std::shared_ptr<korven::platform::CompletionSignal> dispatchEnded;
    std::atomic<int> systemType{0};
    std::atomic<int> networkMode{0};
    std::atomic<int> listenMode{0};
    std::atomic<int> windowMessageType{0};
    std::atomic<unsigned> recPort{6000};
    std::atomic<unsigned> listenPort{6000};
    std::atomic<unsigned> aliveLinkTime{5000};
    std::atomic<void*> appWindow{nullptr};
    // KORVEN_SetAcceptPbxOnly: in socket mode only the PBX's datagrams are
    // parsed; the others are counted here.
    std::atomic<int> acceptPbxOnly{0};
    std::atomic<unsigned long long> foreignDatagramsDropped{0};

    // Text settings; the lock makes a setter on one thread and a request on
    // another see whole texts.
    mutable std::mutex configLock;
    char localIP[30] = {};
    char localMAC[30] = {};
    char sendIP[30] = {};
    char userID[8] = {};
    char userPassword[8] = {};

    // Decoded records: written under recordLock by the decoding thread and
    // copied out under it by the getters.
    mutable std::mutex recordLock;
    LargeRecords large;
    NormalRecords normal;

    unsigned normalEventMessage = 0;
    unsigned largeEventMessage = 0;
    std::unique_ptr<CKRVPWinsock> endpoint;
    std::string moduleDirectory;

    bool IsIap() const { return systemType.load() != 0; }
    std::string SendIP() const;
    std::string LocalIP() const;

private:
    void InitDefaults();
    void ClearRecords();
    bool started_ = false;
};

// The one instance, alive from load to unload.
CKorvenSignalLibApp& theApp();
// The last step of unloading, after ExitInstance: ends the instance and the
// log, so that nothing of theirs stays on the heap.
void ReleaseLibraryState();
