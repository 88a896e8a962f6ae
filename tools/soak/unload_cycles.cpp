// korven-unload-cycles: loads the shared library, registers with a
// loopback sink (so the receive and dispatch threads run, and a display
// repaint and a link test are decoded and notified), and unloads it again,
// many times. Descriptors,
// threads and memory must stay flat.
//
// Usage: korven-unload-cycles LIBRARY [CYCLES]  (default 1000)
#include <KorvenSignalLib.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "pbxsim/builders/display_painter.h"
#include "pbxsim/builders/large_system_link.h"
#include "pbxsim/sim_socket.h"
#include "soak/process_stats.h"

namespace {

constexpr int kWarmUpCycles = 10;
constexpr long kRssSlackKiB = 4096;
constexpr int kWaitMs = 2000;

// The exports a cycle uses; the C++ ones by their mangled names.
struct Api {
    int (*init)(HWND, int, int);
    int (*setSendIP)(char*);
    int (*setUserID)(char*);
    int (*setListenPort)(unsigned);
    int (*setRecPort)(unsigned);
    int (*phoneStart)();
    UINT (*registerMessage)(const char*);
    HWND (*createWindow)(WNDPROC);
    BOOL (*destroyWindow)(HWND);
    BOOL (*peekMessage)(MSG*, HWND, UINT, UINT, UINT);
    LRESULT (*dispatchMessage)(const MSG*);
};

template <class Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool Resolve(void* library, Api& api) {
    return Find(library, "_Z11KORVEN_InitP6HWND__ii", api.init) &&
           Find(library, "_Z16KORVEN_SetSendIPPc", api.setSendIP) &&
           Find(library, "_Z16KORVEN_SetUserIDPc", api.setUserID) &&
           Find(library, "_Z20KORVEN_SetListenPortj", api.setListenPort) &&
           Find(library, "_Z17KORVEN_SetRecPortj", api.setRecPort) &&
           Find(library, "_Z21KORVEN_WidePhoneStartv", api.phoneStart) &&
           Find(library, "RegisterWindowMessageA", api.registerMessage) &&
           Find(library, "CreateMessageWindow", api.createWindow) &&
           Find(library, "DestroyWindow", api.destroyWindow) && Find(library, "PeekMessageA", api.peekMessage) &&
           Find(library, "DispatchMessageA", api.dispatchMessage);
}

UINT largeEvent = 0;
int linkTestsNotified = 0;
// Cycles after which the dynamic loader really unmapped the library.
int unloaded = 0;

LRESULT CountLinkTests(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == largeEvent && wParam == LARGE_LINK_TEST) ++linkTestsNotified;
    return 0;
}

// Registers with the sink, answers the registration with a display repaint
// (its text is converted on the receive thread) and LARGE_LINK_TEST, and
// pumps until the link test is notified.
bool RegisterAndDecode(const Api& api, korven::pbxsim::DatagramPort& sink) {
    const HWND window = api.createWindow(CountLinkTests);
    char address[] = "127.0.0.1", user[] = "2001";
    const int notifiedBefore = linkTestsNotified;
    std::vector<uint8_t> registration;
    korven::pbxsim::Peer phone;
    bool ok = api.init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_SOFTPHONE_SOCKET) == 0 &&
              api.setSendIP(address) == 0 && api.setUserID(user) == 0 && api.setListenPort(0) == 0 &&
              api.setRecPort(sink.LocalPort()) == 0 && api.phoneStart() == 0 &&
              sink.Receive(registration, phone, kWaitMs) &&
              sink.SendTo(korven::pbxsim::DisplayFrame({"UNLOAD", "CYCLE"}), phone) &&
              sink.SendTo(korven::pbxsim::LargeLinkTest(), phone);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (ok && linkTestsNotified == notifiedBefore && std::chrono::steady_clock::now() < end) {
        MSG message;
        while (api.peekMessage(&message, nullptr, 0, 0, PM_REMOVE)) api.dispatchMessage(&message);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    api.destroyWindow(window);
    return ok && linkTestsNotified != notifiedBefore;
}

// One load, registration, decoded frame and unload; false with a reason.
// The window belongs to the unloading thread, or to a thread that has ended
// before.
bool Cycle(const char* path, bool windowOnOwnThread, korven::pbxsim::DatagramPort& sink, std::string& error) {
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    Api api{};
    if (library == nullptr || !Resolve(library, api)) {
        error = std::string("cannot load: ") + dlerror();
        return false;
    }
    largeEvent = api.registerMessage(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    bool decoded = false;
    if (windowOnOwnThread) {
        std::thread([&] { decoded = RegisterAndDecode(api, sink); }).join();
    } else {
        decoded = RegisterAndDecode(api, sink);
    }
    if (!decoded) error = "registration or notification missing";
    dlclose(library);
    if (void* stillLoaded = dlopen(path, RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(stillLoaded);
    } else {
        ++unloaded;
    }
    return error.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s LIBRARY [CYCLES]\n", argv[0]);
        return 2;
    }
    const int cycles = argc == 3 ? std::atoi(argv[2]) : 1000;
    korven::pbxsim::DatagramPort sink;
    std::string error;
    if (!sink.Open(korven::pbxsim::DatagramPort::Kind::Udp, "127.0.0.1", 0, error)) {
        std::fprintf(stderr, "unload cycles: %s\n", error.c_str());
        return 1;
    }
    korven::soak::ProcessStats start;
    const auto began = std::chrono::steady_clock::now();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (!Cycle(argv[1], cycle % 2 == 0, sink, error)) {
            std::fprintf(stderr, "unload cycles: cycle %d: %s\n", cycle, error.c_str());
            return 1;
        }
        if (cycle == std::min(kWarmUpCycles, cycles)) start = korven::soak::ReadProcessStats();
    }
    const korven::soak::ProcessStats end = korven::soak::ReadProcessStats();
    std::string problems;
    korven::soak::CheckFlat(start, end, kRssSlackKiB, problems);
    // Figures of a library that never left memory would prove nothing.
    if (unloaded != cycles) problems += "the library stayed loaded after dlclose\n";
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("unload cycles: %d in %.1f s, %d link tests notified, unmapped by the loader after %d\n", cycles,
                seconds, linkTestsNotified, unloaded);
    std::printf("after %d: %s\nafter %d: %s\n", std::min(kWarmUpCycles, cycles), korven::soak::Describe(start).c_str(),
                cycles, korven::soak::Describe(end).c_str());
    std::printf("%sunload cycles: %s\n", problems.c_str(), problems.empty() ? "passed" : "FAILED");
    return problems.empty() ? 0 : 1;
}
