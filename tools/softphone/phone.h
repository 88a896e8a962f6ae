// The telephone as the application sees it: the library bound to a
// message-only window, the records the notifications bring, and the user's
// requests. One Phone per process, since the library has one state.
#pragma once

#include <KorvenSignalLib.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "wakeups.h"

namespace softphone {

struct PhoneConfig {
    std::string pbxAddress = "127.0.0.1";
    unsigned pbxPort = 6000;
    std::string user = "1001";
    std::string password;
    int system = KORVEN_SYSTEM_KORVENHOST;
    // The event type and code that hang up; their meaning is the PBX's.
    int hangUpEventType = 1;
    int hangUpEventCode = 0;
};

struct ProgramKey {
    std::string label;
    int led = 0;
};

// Everything the face shows.
struct PhoneState {
    bool registered = false;
    std::string line1;
    std::string line2;
    bool cursorOn = false;
    int cursorPos = 0;
    unsigned displayCount = 0;  // displays painted so far
    int callStatus = -1;        // none yet
    std::string dialledNumber;
    std::string dialledName;
    std::string callerNumber;
    std::string callerName;
    std::vector<std::string> softKeys;
    std::vector<ProgramKey> programKeys;
    bool idleKnown = false;
    tagSTSOFTIDLEINFO idle{};
    std::string keypad;     // the number being keyed in
    std::string lastEvent;  // the notification that changed the state last
};

class Phone {
public:
    // onChange runs on the pumping thread after every notification.
    explicit Phone(std::function<void()> onChange);
    ~Phone();
    Phone(const Phone&) = delete;
    Phone& operator=(const Phone&) = delete;

    // Initialises the library and configures the PBX; false with a reason.
    bool Open(const PhoneConfig& config, std::string& error);
    bool Register(std::string& error);
    bool Dial(const std::string& number, std::string& error);
    bool HangUp(std::string& error);

    // Runs the window's messages and the link tests for up to milliseconds,
    // returning early once done() holds; blocks while nothing happens.
    void PumpFor(unsigned milliseconds, const std::function<bool()>& done = {});
    // Watches inputFd for keys from now on; false when that cannot be done.
    bool WatchInput(int inputFd);
    // Runs the window's messages and the link tests until a key is typed on
    // the watched input (true, with the key) or the input ends (false);
    // blocks while nothing happens.
    bool PumpUntilKey(char& key);

    PhoneState& State() { return state_; }

private:
    static LRESULT OnMessage(HWND window, UINT message, WPARAM id, LPARAM);
    void OnLarge(unsigned id);
    void OnNormal(unsigned id);
    void ReadSoftKeys();
    void ReadProgramKeys();
    void LinkTestWhenDue();
    // Waits for the next message and dispatches it unless it is one of the
    // wake-ups (keys, end of input, alarm); false when the queue failed.
    bool NextMessage(std::optional<DWORD> deadline, MSG& message);

    std::function<void()> onChange_;
    HWND window_ = nullptr;
    UINT largeEvent_ = 0;
    UINT normalEvent_ = 0;
    DWORD lastLinkTest_ = 0;
    PhoneState state_;
    PhoneConfig config_;
    std::unique_ptr<Wakeups> wakeups_;
};

// The failure text of the last export.
std::string LibraryError(const char* what);

}  // namespace softphone
