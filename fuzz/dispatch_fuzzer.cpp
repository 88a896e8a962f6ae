// Frames fed through KORVEN_DispatchRecvLawPacket and decoded on the
// dispatch thread, while the window procedure calls every getter on each
// notification as an application does. Each input ends with a
// LARGE_INITIAL_END frame whose notification tells that the queue has been
// worked through; the input's own frames of that id are left out.
#include <atomic>
#include <chrono>
#include <thread>

#include "fuzz_library.h"

namespace {

std::atomic<bool> lastFrameDecoded{false};

LRESULT OnNotification(HWND, UINT message, WPARAM wParam, LPARAM) {
    static const UINT largeEvent = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    if (message == largeEvent && wParam == LARGE_INITIAL_END) {
        lastFrameDecoded = true;
    } else {
        korven::fuzz::CallEveryGetter(static_cast<uint8_t>(wParam));
    }
    return 0;
}

// Bytes past the end of a frame read as 0, so a Large frame cut before its
// id byte is a LARGE_INITIAL_END too.
bool IsInitialEnd(const std::vector<uint8_t>& frame) {
    return frame.size() > 10 && frame[10] == 0x11 && (frame.size() == 11 || frame[11] == LARGE_INITIAL_END);
}

uint8_t kLastFrame[] = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0D, 0x06, 0x10, 0x10, 0x11, 0x11, LARGE_INITIAL_END, 0x01};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    korven::fuzz::StartLibrary(OnNotification);
    korven::fuzz::ResetLibrary(korven::fuzz::FlagsOf(data[0]));
    for (std::vector<uint8_t>& frame : korven::fuzz::SplitFrames(data + 1, size - 1)) {
        if (!IsInitialEnd(frame)) KORVEN_DispatchRecvLawPacket(frame.data(), static_cast<int>(frame.size()));
    }
    lastFrameDecoded = false;
    KORVEN_DispatchRecvLawPacket(kLastFrame, sizeof kLastFrame);
    while (!lastFrameDecoded) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    return 0;
}
