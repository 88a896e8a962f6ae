#include "phone.h"

#include <algorithm>
#include <cstring>

namespace softphone {
namespace {

// The window procedure has no user data on this facility; the one phone of
// the process is found here.
Phone* instance = nullptr;

constexpr unsigned kProgramKeyCount = 100;
constexpr UINT kStateChangedMessage = 0x0404;
constexpr int kHookOffHandsFree = 1;

// Text of a fixed-width field that is not terminated when full.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

struct Notification {
    unsigned id;
    const char* name;
};

const Notification kLargeNames[] = {
    {LARGE_INITIAL_END, "LARGE_INITIAL_END"}, {LARGE_VERS_CHECK, "LARGE_VERS_CHECK"},
    {LARGE_CALL_RESP, "LARGE_CALL_RESP"},     {LARGE_CALL_STATUS, "LARGE_CALL_STATUS"},
    {LARGE_IDLE_STATUS, "LARGE_IDLE_STATUS"}, {LARGE_CALL_NUMBER, "LARGE_CALL_NUMBER"},
    {LARGE_DIAL_NUMBER, "LARGE_DIAL_NUMBER"}, {LARGE_SOFT_LIST, "LARGE_SOFT_LIST"},
    {LARGE_PROG_KEY, "LARGE_PROG_KEY"},       {LARGE_LED_DATA, "LARGE_LED_DATA"},
    {LARGE_SOFT_IDLE, "LARGE_SOFT_IDLE"},     {LARGE_CALL_DISCONNECT, "LARGE_CALL_DISCONNECT"},
};

std::string NameOf(unsigned id, const char* family) {
    for (const Notification& known : kLargeNames) {
        if (known.id == id) return known.name;
    }
    return std::string(family) + " " + std::to_string(id);
}

}  // namespace

std::string LibraryError(const char* what) {
    return std::string(what) + " failed: error " + std::to_string(KORVEN_GetErrorCode());
}

Phone::Phone(std::function<void()> onChange) : onChange_(std::move(onChange)) { instance = this; }

Phone::~Phone() {
    wakeups_.reset();
    if (window_ != nullptr) DestroyWindow(window_);
    instance = nullptr;
}

bool Phone::Open(const PhoneConfig& config, std::string& error) {
    config_ = config;
    largeEvent_ = RegisterWindowMessageA(KORVEN_LARGE_EVENT_MESSAGE_NAME);
    normalEvent_ = RegisterWindowMessageA(KORVEN_NORMAL_EVENT_MESSAGE_NAME);
    window_ = CreateMessageWindow(&Phone::OnMessage);
    wakeups_ = std::make_unique<Wakeups>(window_, -1);
    if (!wakeups_->Running()) {
        error = "the wake-up thread could not be started";
        return false;
    }
    if (KORVEN_Init(window_, config.system, KORVEN_LISTEN_SOFTPHONE_SOCKET) != 0) {
        error = LibraryError("KORVEN_Init");
        return false;
    }
    // The setters take writable texts.
    std::string address = config.pbxAddress;
    std::string user = config.user;
    std::string password = config.password;
    const bool configured = KORVEN_SetLogLevel(0) == 0 && KORVEN_SetSendIP(address.data()) == 0 &&
                            KORVEN_SetRecPort(config.pbxPort) == 0 && KORVEN_SetListenPort(0) == 0 &&
                            KORVEN_SetUserID(user.data()) == 0 &&
                            (password.empty() || KORVEN_SetUserPassword(password.data()) == 0);
    if (!configured) error = LibraryError("configuration");
    return configured;
}

bool Phone::Register(std::string& error) {
    if (KORVEN_WidePhoneStart() != 0) {
        error = LibraryError("KORVEN_WidePhoneStart");
        return false;
    }
    lastLinkTest_ = GetTickCount();
    return true;
}

bool Phone::Dial(const std::string& number, std::string& error) {
    unsigned char trunk[2] = {};
    if (KORVEN_WideDigitStr(number.c_str(), kHookOffHandsFree, trunk) != 0) {
        error = LibraryError("KORVEN_WideDigitStr");
        return false;
    }
    return true;
}

bool Phone::HangUp(std::string& error) {
    if (KORVEN_WideEventData(config_.hangUpEventType, config_.hangUpEventCode) != 0) {
        error = LibraryError("KORVEN_WideEventData");
        return false;
    }
    return true;
}

void Phone::PumpFor(unsigned milliseconds, const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!(done && done()) && GetTickCount() - start < milliseconds) {
        if (!NextMessage(start + milliseconds, message)) return;
    }
}

bool Phone::WatchInput(int inputFd) {
    wakeups_ = std::make_unique<Wakeups>(window_, inputFd);
    return wakeups_->Running();
}

bool Phone::PumpUntilKey(char& key) {
    MSG message;
    while (NextMessage(std::nullopt, message)) {
        if (message.message == kInputEndedMessage) return false;
        if (message.message == kKeyMessage) {
            key = static_cast<char>(message.wParam);
            return true;
        }
    }
    return false;
}

bool Phone::NextMessage(std::optional<DWORD> deadline, MSG& message) {
    LinkTestWhenDue();
    std::optional<DWORD> alarm = deadline;
    if (state_.registered) {
        const DWORD linkTest = lastLinkTest_ + KORVEN_GetAliveLinkTime();
        // The earlier of the two on a tick counter that wraps.
        if (!alarm || static_cast<int32_t>(linkTest - *alarm) < 0) alarm = linkTest;
    }
    wakeups_->SetAlarm(alarm);
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return false;
    if (message.message != kKeyMessage && message.message != kInputEndedMessage && message.message != kAlarmMessage) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void Phone::LinkTestWhenDue() {
    if (!state_.registered) return;
    const DWORD now = GetTickCount();
    if (now - lastLinkTest_ < KORVEN_GetAliveLinkTime()) return;
    KORVEN_WideLinkTest();
    lastLinkTest_ = now;
}

LRESULT Phone::OnMessage(HWND, UINT message, WPARAM id, LPARAM) {
    if (instance == nullptr) return 0;
    if (message == instance->largeEvent_) {
        instance->OnLarge(static_cast<unsigned>(id));
    } else if (message == instance->normalEvent_) {
        instance->OnNormal(static_cast<unsigned>(id));
    } else {
        return 0;
    }
    if (instance->onChange_) instance->onChange_();
    // A sent notification runs inside GetMessageA, which goes on waiting;
    // this makes it return, so the loop sees the new state.
    PostMessageA(instance->window_, kStateChangedMessage, 0, 0);
    return 0;
}

void Phone::OnLarge(unsigned id) {
    state_.lastEvent = NameOf(id, "LARGE");
    switch (id) {
        case LARGE_INITIAL_END:
            state_.registered = true;
            break;
        case LARGE_CALL_STATUS:
            state_.callStatus = KORVEN_GetLargeCallStatus();
            break;
        case LARGE_DIAL_NUMBER: {
            tagSTSOFTDIALNUMBER dialled{};
            if (KORVEN_GetLargeDialNumber(&dialled) != 0) break;
            state_.dialledNumber = FieldText(dialled.Number);
            state_.dialledName = FieldText(dialled.Name);
            break;
        }
        case LARGE_CALL_NUMBER: {
            tagSTSOFTCALLNUMBER caller{};
            if (KORVEN_GetLargeCallNumber(&caller) != 0) break;
            state_.callerNumber = FieldText(caller.Number);
            state_.callerName = FieldText(caller.Name);
            break;
        }
        case LARGE_CALL_DISCONNECT:
            state_.dialledNumber.clear();
            state_.dialledName.clear();
            state_.callerNumber.clear();
            state_.callerName.clear();
            break;
        case LARGE_IDLE_STATUS:
            state_.idleKnown = KORVEN_GetLargeIdleStatusInfo(&state_.idle) == 0;
            break;
        case LARGE_SOFT_LIST:
        case LARGE_SOFT_IDLE:
            ReadSoftKeys();
            break;
        case LARGE_PROG_KEY:
        case LARGE_LED_DATA:
            ReadProgramKeys();
            break;
        default:
            break;
    }
}

void Phone::OnNormal(unsigned id) {
    state_.lastEvent = id == NORMAL_DGP_LCD ? "NORMAL_DGP_LCD" : "NORMAL " + std::to_string(id);
    if (id != NORMAL_DGP_LCD) return;
    char line1[KORVEN_LCD_LINE_SIZE] = {};
    char line2[KORVEN_LCD_LINE_SIZE] = {};
    int cursorOn = 0;
    if (KORVEN_GetNormalPhoneLCDDisp(line1, line2, &cursorOn, &state_.cursorPos) != 0) return;
    state_.line1 = FieldText(line1);
    state_.line2 = FieldText(line2);
    state_.cursorOn = cursorOn != 0;
    ++state_.displayCount;
}

void Phone::ReadSoftKeys() {
    tagSTSOFTSOFTTLIST list{};
    if (KORVEN_GetLargeSoftList(&list) != 0) return;
    state_.softKeys.clear();
    const size_t count = std::min<size_t>(list.Count, sizeof list.List);
    for (size_t k = 0; k < count; ++k) {
        char label[KORVEN_SOFT_MENU_LABEL_SIZE] = {};
        KORVEN_GetLargeSoftMenuDisplay(list.List[k], label);
        state_.softKeys.push_back(FieldText(label));
    }
}

void Phone::ReadProgramKeys() {
    tagSTSOFTPROGKEY keys{};
    char leds[KORVEN_BUTTON_LED_SIZE] = {};
    if (KORVEN_GetLargeProgramKey(&keys) != 0 || KORVEN_GetLargeButtonLED(leds) != 0) return;
    state_.programKeys.clear();
    for (unsigned k = 0; k < kProgramKeyCount; ++k) {
        const std::string label = FieldText(keys.Keys[k].Text);
        if (label.empty()) continue;
        state_.programKeys.push_back({label, k < sizeof leds ? static_cast<unsigned char>(leds[k]) : 0});
    }
}

}  // namespace softphone
