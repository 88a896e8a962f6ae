#include "fuzz_library.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include <unistd.h>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "transport/packet_parser.h"

namespace korven::fuzz {
namespace {

template <class Record>
void Fetch(int (*getter)(Record*)) {
    const auto out = std::make_unique<Record>();
    getter(out.get());
}

void FetchBytes(int (*getter)(char*), size_t size) {
    const auto out = std::make_unique<char[]>(size);
    getter(out.get());
}

// ALLCLR, END: leaves the display's write position at 0.
constexpr uint8_t kClearDisplay[] = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0F, 0x06, 0x10,
                                     0x10, 0x11, 0x10, 19,   0x00, 0x01, 0x00};

}  // namespace

InputFlags FlagsOf(uint8_t byte) { return {byte & 1, (byte & 2) != 0, (byte & 4) != 0}; }

void StartLibrary(WNDPROC onNotification) {
    static std::once_flag started;
    std::call_once(started, [onNotification] {
        const std::filesystem::path module =
            std::filesystem::temp_directory_path() / ("korven-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(module);
        theApp().StartUp(module.string());
        static const WNDPROC procedure = onNotification;
        const HWND window = CreateMessageWindow([](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            return procedure != nullptr ? procedure(window, message, wParam, lParam) : LRESULT{0};
        });
        KORVEN_Init(window, KORVEN_SYSTEM_KORVENHOST, KORVEN_LISTEN_PHONEIF_CALLBACK);
    });
}

void ResetLibrary(const InputFlags& flags) {
    // Notifications posted for the last input would pile up otherwise.
    MSG posted;
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&posted);
    CKorvenSignalLibApp& app = theApp();
    app.systemType = flags.systemType;
    app.windowMessageType = flags.post ? KORVEN_WINDOW_MESSAGE_POST : KORVEN_WINDOW_MESSAGE_SEND;
    TheLog().SetLevel(0);
    ParseFrame(kClearDisplay, sizeof kClearDisplay);
    TheLog().SetLevel(flags.logOn ? 1 : 0);
    std::lock_guard<std::mutex> guard(app.recordLock);
    app.large = LargeRecords{};
    app.normal = NormalRecords{};
}

void ParseFrame(const uint8_t* frame, size_t length) {
    std::lock_guard<std::mutex> guard(theApp().parserLock);
    RecvPacketParser(theApp(), frame, length);
}

void CallEveryGetter(uint8_t menuId) {
    Fetch(KORVEN_GetLargeVersionCheck);
    KORVEN_GetLargeInitialEndID();
    KORVEN_GetLargeCallResponseStatus();
    KORVEN_GetLargeCallStatus();
    Fetch(KORVEN_GetLargeIdleStatusInfo);
    Fetch(KORVEN_GetLargeCallNumber);
    Fetch(KORVEN_GetLargeDialNumber);
    FetchBytes(KORVEN_GetLargeAddOnOffOptionDisp, KORVEN_OPTION_DISP_SIZE);
    FetchBytes(KORVEN_GetLargeAbsentProgramMsg, KORVEN_ABSENT_PROGRAM_MSG_SIZE);
    const auto label = std::make_unique<char[]>(KORVEN_SOFT_MENU_LABEL_SIZE);
    KORVEN_GetLargeSoftMenuDisplay(menuId, label.get());
    Fetch(KORVEN_GetLargeSoftList);
    Fetch(KORVEN_GetLargeProgramKey);
    const auto db0 = std::make_unique<uint8_t[]>(KORVEN_PHONE_DB0_BUFFER_SIZE);
    KORVEN_GetLargePhoneDB0(db0.get());
    Fetch(KORVEN_GetLargeConfGroup);
    Fetch(KORVEN_GetLargeConfStart);
    Fetch(KORVEN_GetLargeConfStatus);
    Fetch(KORVEN_GetLargeConfEnd);
    FetchBytes(KORVEN_GetLargeButtonLED, KORVEN_BUTTON_LED_SIZE);
    const auto newsLength = std::make_unique<int>();
    const auto news = std::make_unique<unsigned char[]>(KORVEN_SPOT_NEWS_SIZE);
    KORVEN_GetLargeSpotNews(newsLength.get(), news.get());
    KORVEN_GetLargeSpotNewsDispInfo();
    Fetch(KORVEN_GetLargeIdleSoftList);
    FetchBytes(KORVEN_GetLargeExecTextMsg, KORVEN_EXEC_TEXT_MSG_SIZE);
    Fetch(KORVEN_GetLargeExecTextRecv);
    FetchBytes(KORVEN_GetLargeExecTextRead, KORVEN_EXEC_TEXT_READ_SIZE);
    Fetch(KORVEN_GetLargeExecState);
    FetchBytes(KORVEN_GetLargeExecFixedStateData, KORVEN_EXEC_FIXED_STATE_SIZE);
    Fetch(KORVEN_GetLargeExecProgramStateData);
    Fetch(KORVEN_GetLargeSmsRecv);
    Fetch(KORVEN_GetLargeSmsSend);
    Fetch(KORVEN_GetLargeSmsSended);
    Fetch(KORVEN_GetLargeAudioControl);
    Fetch(KORVEN_GetLargeVideoControl);
    Fetch(KORVEN_GetLargeSystemErrorResponse);
    FetchBytes(KORVEN_GetLargeDBUpdateID, KORVEN_DB_UPDATE_ID_SIZE);
    Fetch(KORVEN_GetLargePhoneDB5);

    Fetch(KORVEN_GetNormalSystemDate);
    Fetch(KORVEN_GetNormalDuration);
    KORVEN_GetNormalPhoneMute();
    KORVEN_GetNormalPageAll();
    KORVEN_GetNormalPhoneTone();
    KORVEN_GetNormalPhoneBTone();
    KORVEN_GetNormalPhoneRing();
    KORVEN_GetNormalPhoneBRing();
    KORVEN_GetNormalPhoneRingLED();
    Fetch(KORVEN_GetNormalAudioCodecDspValue);
    const auto line1 = std::make_unique<char[]>(KORVEN_LCD_LINE_SIZE);
    const auto line2 = std::make_unique<char[]>(KORVEN_LCD_LINE_SIZE);
    const auto cursor = std::make_unique<int[]>(2);
    KORVEN_GetNormalPhoneLCDDisp(line1.get(), line2.get(), &cursor[0], &cursor[1]);
}

std::vector<std::vector<uint8_t>> SplitFrames(const uint8_t* data, size_t size) {
    constexpr size_t kLargestFed = 1024;
    std::vector<std::vector<uint8_t>> frames;
    size_t at = 0;
    while (size - at >= 2) {
        const size_t announced = (size_t{data[at]} << 8 | data[at + 1]) % (kLargestFed + 1);
        at += 2;
        const size_t length = std::min(announced, size - at);
        frames.emplace_back(data + at, data + at + length);
        at += length;
    }
    return frames;
}

}  // namespace korven::fuzz
