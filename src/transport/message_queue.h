// CMessageQueue: private copies of the frames the application feeds in
// callback mode, waiting for the dispatch thread, with an auto-reset event.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

class CMessageQueue {
public:
    CMessageQueue() = default;
    virtual ~CMessageQueue() = default;
    CMessageQueue(const CMessageQueue&) = delete;
    CMessageQueue& operator=(const CMessageQueue&) = delete;

    // Appends a copy of the length bytes of frame (nothing for a null frame)
    // and sets the event either way. A copy that cannot be allocated is
    // dropped with a log line.
    void Push(const uint8_t* frame, size_t length);
    // Resets the event and frees every queued copy.
    void RemoveAll();
    // Sets the event: wakes the thread blocked in WaitTake.
    void Wake();
    // Blocks until the event is set and resets it. Moves the oldest copy
    // into frame and returns true if there is one; the event is set again
    // while copies remain, so one wake-up serves several frames.
    bool WaitTake(std::vector<uint8_t>& frame);

private:
    std::mutex lock_;
    std::condition_variable eventSet_;
    bool signalled_ = false;
    std::deque<std::vector<uint8_t>> frames_;
};
