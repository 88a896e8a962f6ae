#include "wakeups.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace softphone {

Wakeups::Wakeups(HWND window, int inputFd) : window_(window), inputFd_(inputFd) {
    int ends[2];
    if (::pipe(ends) != 0) return;
    for (const int end : ends) ::fcntl(end, F_SETFD, FD_CLOEXEC);
    wakeRead_ = ends[0];
    wakeWrite_ = ends[1];
    thread_ = std::thread(&Wakeups::Run, this);
}

Wakeups::~Wakeups() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stop_ = true;
    }
    Poke();
    if (thread_.joinable()) thread_.join();
    if (wakeRead_ >= 0) ::close(wakeRead_);
    if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

void Wakeups::SetAlarm(std::optional<DWORD> tick) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (alarm_ == tick) return;
        alarm_ = tick;
    }
    Poke();
}

// Makes the thread look at the alarm and the stop flag again.
void Wakeups::Poke() {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &byte, 1);
}

void Wakeups::Run() {
    for (;;) {
        int timeout = -1;
        {
            std::lock_guard<std::mutex> guard(lock_);
            if (stop_) return;
            if (alarm_) {
                // The tick counter wraps; an alarm in the past is due now.
                const auto left = static_cast<int32_t>(*alarm_ - GetTickCount());
                if (left <= 0) {
                    alarm_.reset();
                    PostMessageA(window_, kAlarmMessage, 0, 0);
                    continue;
                }
                timeout = left;
            }
        }
        pollfd watched[2] = {{wakeRead_, POLLIN, 0}, {inputFd_, POLLIN, 0}};
        if (::poll(watched, inputFd_ >= 0 ? 2 : 1, timeout) <= 0) continue;
        if (watched[0].revents != 0) {
            char drained[64];
            [[maybe_unused]] const ssize_t count = ::read(wakeRead_, drained, sizeof drained);
        }
        if (inputFd_ >= 0 && watched[1].revents != 0) {
            char key = 0;
            const ssize_t count = ::read(inputFd_, &key, 1);
            if (count == 1) PostMessageA(window_, kKeyMessage, static_cast<unsigned char>(key), 0);
            if (count == 0) {
                inputFd_ = -1;
                PostMessageA(window_, kInputEndedMessage, 0, 0);
            }
        }
    }
}

}  // namespace softphone
