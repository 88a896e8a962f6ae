#include "keys.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "face.h"

namespace softphone {
namespace {

constexpr char kBackspace = 127;
constexpr char kCtrlH = 8;

// Raw keys without echo for as long as it lives.
class RawTerminal {
public:
    RawTerminal() : active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (!active_) return;
        termios raw = saved_;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    ~RawTerminal() {
        if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

private:
    termios saved_{};
    bool active_;
};

bool IsDialKey(char key) { return (key >= '0' && key <= '9') || key == '*' || key == '#'; }

KeyResult DialKeypad(Phone& phone, std::string& error) {
    PhoneState& state = phone.State();
    if (state.keypad.empty()) return KeyResult::Ignored;
    phone.Dial(state.keypad, error);
    return KeyResult::Changed;
}

KeyResult HangUp(Phone& phone, std::string& error) {
    phone.State().keypad.clear();
    phone.HangUp(error);
    return KeyResult::Changed;
}

}  // namespace

KeyResult HandleKey(char key, Phone& phone, std::string& error) {
    PhoneState& state = phone.State();
    if (IsDialKey(key)) {
        state.keypad += key;
        return KeyResult::Changed;
    }
    switch (key) {
        case '\r':
        case '\n':
            return DialKeypad(phone, error);
        case kBackspace:
        case kCtrlH:
            if (state.keypad.empty()) return KeyResult::Ignored;
            state.keypad.pop_back();
            return KeyResult::Changed;
        case 'h':
            return HangUp(phone, error);
        case 'q':
            return KeyResult::Quit;
        default:
            return KeyResult::Ignored;
    }
}

void DrawFace(const PhoneState& state, const std::string& user) {
    std::printf("\x1b[H\x1b[2J%s", RenderFace(state, user).c_str());
    std::printf("keys: 0-9 * # number, Enter dial, Backspace delete, h hang up, q quit\n");
    std::fflush(stdout);
}

int RunInteractive(Phone& phone, const std::string& user) {
    std::string error;
    if (!phone.Register(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    RawTerminal terminal;
    if (!phone.WatchInput(STDIN_FILENO)) {
        std::fprintf(stderr, "the keys cannot be watched\n");
        return 1;
    }
    DrawFace(phone.State(), user);
    for (;;) {
        char key = 0;
        if (!phone.PumpUntilKey(key)) return 0;
        error.clear();
        const KeyResult result = HandleKey(key, phone, error);
        if (result == KeyResult::Quit) return 0;
        if (result == KeyResult::Ignored) continue;
        DrawFace(phone.State(), user);
        if (!error.empty()) std::printf("%s\n", error.c_str());
    }
}

}  // namespace softphone
