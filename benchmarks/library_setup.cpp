#include "library_setup.h"

#include <chrono>
#include <filesystem>

#include "KorvenSignalLib.h"
#include "core/app_state.h"

namespace korven::bench {

namespace {

HWND BenchWindow() {
#if defined(_WIN32)
    static const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
#else
    static const HWND window = CreateMessageWindow([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
#endif
    return window;
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

bool InitCallbackMode() {
    return KORVEN_Init(BenchWindow(), KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK) == 0 &&
           KORVEN_SetWindowMessageType(KORVEN_WINDOW_MESSAGE_SEND) == 0;
}

}  // namespace korven::bench
