// What the softphone waits for besides the library's notifications, turned
// into messages to its window, so that its loop blocks in GetMessageA alone:
// each key typed on the watched input, the end of that input, and an alarm
// at a chosen tick. A thread blocks on the input and the alarm's time and
// posts them.
#pragma once

#include <KorvenSignalLib.h>

#include <mutex>
#include <optional>
#include <thread>

namespace softphone {

// Private window messages, below the registered ones.
constexpr UINT kKeyMessage = 0x0401;         // WPARAM: the key
constexpr UINT kInputEndedMessage = 0x0402;  // no more keys will come
constexpr UINT kAlarmMessage = 0x0403;       // the alarm's tick has come

class Wakeups {
public:
    // Watches inputFd for keys unless it is negative.
    Wakeups(HWND window, int inputFd);
    ~Wakeups();
    Wakeups(const Wakeups&) = delete;
    Wakeups& operator=(const Wakeups&) = delete;

    // False when the thread could not be started.
    bool Running() const { return thread_.joinable(); }
    // One alarm at most: a new one replaces it; none when tick is empty.
    void SetAlarm(std::optional<DWORD> tick);

private:
    void Run();
    void Poke();

    const HWND window_;
    int inputFd_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::mutex lock_;
    std::optional<DWORD> alarm_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace softphone
