#include "transport/message_queue.h"

#include <new>

#include "core/diagnostic_log.h"

void CMessageQueue::Push(const uint8_t* frame, size_t length) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (frame != nullptr) {
            try {
                frames_.emplace_back(frame, frame + length);
            } catch (const std::bad_alloc&) {
                WriteLog("CMessageQueue::Push : no memory for a frame of %d bytes, dropped", static_cast<int>(length));
            }
        }
        signalled_ = true;
    }
    eventSet_.notify_one();
}

void CMessageQueue::RemoveAll() {
    std::lock_guard<std::mutex> guard(lock_);
    signalled_ = false;
    frames_.clear();
}

void CMessageQueue::Wake() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        signalled_ = true;
    }
    eventSet_.notify_one();
}

bool CMessageQueue::WaitTake(std::vector<uint8_t>& frame) {
    std::unique_lock<std::mutex> guard(lock_);
    eventSet_.wait(guard, [this] { return signalled_; });
    signalled_ = false;
    if (frames_.empty()) return false;
    frame = std::move(frames_.front());
    frames_.pop_front();
    signalled_ = !frames_.empty();
    return true;
}
