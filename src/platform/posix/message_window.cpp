// Message-only windows and per-thread message queues. One lock guards every
// window and queue; window procedures always run with it released, so they
// may send, post, create and destroy freely.
#include "platform/posix/message_window.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>
#include <new>

#include <pthread.h>

#include "KorvenWinCompat.h"
#include "platform/window_messages.h"

namespace {

struct ThreadQueue;

// A SendMessageA call from another thread, waiting for the owner's pump.
struct SentMessage {
    HWND hwnd;
    WNDPROC proc;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::shared_ptr<ThreadQueue> sender;
    LRESULT result = 0;
    bool done = false;
};

struct ThreadQueue {
    // Signalled when a message arrives for this thread and when a message
    // this thread sent elsewhere has been answered.
    std::condition_variable wake;
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<MSG> posted;
    bool quitPending = false;
    int exitCode = 0;
};

struct Window {
    WNDPROC proc;
    std::shared_ptr<ThreadQueue> owner;
};

struct Facility {
    std::mutex lock;
    // Keyed by handle value; values are never reused, so a stale handle
    // cannot reach a newer window.
    std::map<uintptr_t, Window> windows;
    uintptr_t lastHandle = 0;
};

// In the library's own storage and ended only by EndMessageWindows: at
// process exit static destructors run before the unload hook, whose
// threads may still be sending notifications.
alignas(Facility) unsigned char facilityStorage[sizeof(Facility)];

Facility& TheFacility() {
    static Facility* const facility = new (facilityStorage) Facility;
    return *facility;
}

HWND ToHandle(uintptr_t key) { return reinterpret_cast<HWND>(key); }
uintptr_t ToKey(HWND hwnd) { return reinterpret_cast<uintptr_t>(hwnd); }

// Null for an unknown window. Needs the facility lock.
Window* LookUp(Facility& facility, HWND hwnd) {
    auto found = facility.windows.find(ToKey(hwnd));
    return found == facility.windows.end() ? nullptr : &found->second;
}

// Needs the facility lock.
void Answer(SentMessage& message, LRESULT result) {
    message.result = result;
    message.done = true;
    message.sender->wake.notify_all();
}

// Drops what is queued for the window and releases its waiting senders with
// 0. A message whose procedure is already running completes normally. Needs
// the facility lock.
void RemoveWindow(Facility& facility, std::map<uintptr_t, Window>::iterator window) {
    const HWND hwnd = ToHandle(window->first);
    ThreadQueue& owner = *window->second.owner;
    for (auto sent = owner.sent.begin(); sent != owner.sent.end();) {
        if ((*sent)->hwnd != hwnd) {
            ++sent;
            continue;
        }
        Answer(**sent, 0);
        sent = owner.sent.erase(sent);
    }
    owner.posted.erase(std::remove_if(owner.posted.begin(), owner.posted.end(),
                                      [hwnd](const MSG& posted) { return posted.hwnd == hwnd; }),
                       owner.posted.end());
    // A GetMessageA filtered on this window must notice that it is gone.
    owner.wake.notify_all();
    facility.windows.erase(window);
}

// Owns the calling thread's queue. When the thread ends, its windows go with
// it, so that senders waiting on them are released.
class QueueOwner {
public:
    QueueOwner() : queue_(std::make_shared<ThreadQueue>()) {}
    ~QueueOwner() {
        Facility& facility = TheFacility();
        std::lock_guard<std::mutex> guard(facility.lock);
        for (auto window = facility.windows.begin(); window != facility.windows.end();) {
            auto next = std::next(window);
            if (window->second.owner == queue_) RemoveWindow(facility, window);
            window = next;
        }
    }
    QueueOwner(const QueueOwner&) = delete;
    QueueOwner& operator=(const QueueOwner&) = delete;

    const std::shared_ptr<ThreadQueue>& Queue() const { return queue_; }

private:
    std::shared_ptr<ThreadQueue> queue_;
};

// Each thread's queue hangs from a thread-specific key rather than a
// thread_local object: the dynamic loader never unloads a library while a
// thread-local object of it awaits destruction, and the library's own
// threads, which send notifications, end only when it unloads.
pthread_key_t QueueKey() {
    static const pthread_key_t key = [] {
        pthread_key_t created{};
        pthread_key_create(&created, [](void* owner) { delete static_cast<QueueOwner*>(owner); });
        return created;
    }();
    return key;
}

const std::shared_ptr<ThreadQueue>& CurrentQueue() {
    auto* owner = static_cast<QueueOwner*>(pthread_getspecific(QueueKey()));
    if (owner == nullptr) {
        owner = new QueueOwner;
        pthread_setspecific(QueueKey(), owner);
    }
    return owner->Queue();
}

// Runs the messages other threads have sent to this thread's windows.
void RunSentMessages(std::unique_lock<std::mutex>& lock, ThreadQueue& queue) {
    while (!queue.sent.empty()) {
        std::shared_ptr<SentMessage> message = std::move(queue.sent.front());
        queue.sent.pop_front();
        lock.unlock();
        const LRESULT result = message->proc(message->hwnd, message->message, message->wParam, message->lParam);
        lock.lock();
        Answer(*message, result);
    }
}

bool PassesFilter(const MSG& message, HWND hwnd, UINT filterMin, UINT filterMax) {
    const bool anyMessage = filterMin == 0 && filterMax == 0;
    return (hwnd == nullptr || message.hwnd == hwnd) &&
           (anyMessage || (filterMin <= message.message && message.message <= filterMax));
}

// Copies the first posted message that passes the filters. As on Windows, a
// pending quit comes only when nothing else is left and ignores the range.
// Needs the facility lock.
bool TakePosted(ThreadQueue& queue, HWND hwnd, UINT filterMin, UINT filterMax, bool remove, MSG* out) {
    auto found = std::find_if(queue.posted.begin(), queue.posted.end(),
                              [&](const MSG& posted) { return PassesFilter(posted, hwnd, filterMin, filterMax); });
    if (found != queue.posted.end()) {
        *out = *found;
        if (remove) queue.posted.erase(found);
        return true;
    }
    if (!queue.quitPending || hwnd != nullptr) return false;
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0, GetTickCount()};
    if (remove) queue.quitPending = false;
    return true;
}

}  // namespace

extern "C" {

HWND CreateMessageWindow(WNDPROC proc) {
    if (proc == nullptr) return nullptr;
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    Facility& facility = TheFacility();
    std::lock_guard<std::mutex> guard(facility.lock);
    const uintptr_t key = ++facility.lastHandle;
    facility.windows.emplace(key, Window{proc, self});
    return ToHandle(key);
}

BOOL DestroyWindow(HWND hwnd) {
    Facility& facility = TheFacility();
    std::lock_guard<std::mutex> guard(facility.lock);
    auto window = facility.windows.find(ToKey(hwnd));
    if (window == facility.windows.end()) return FALSE;
    RemoveWindow(facility, window);
    return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    Facility& facility = TheFacility();
    std::unique_lock<std::mutex> lock(facility.lock);
    const Window* window = LookUp(facility, hwnd);
    if (window == nullptr) return 0;
    if (window->owner == self) {
        const WNDPROC proc = window->proc;
        lock.unlock();
        return proc(hwnd, msg, wParam, lParam);
    }
    auto message = std::make_shared<SentMessage>(SentMessage{hwnd, window->proc, msg, wParam, lParam, self});
    window->owner->sent.push_back(message);
    window->owner->wake.notify_all();
    // Serving our own windows while waiting lets two threads send to each
    // other. Running them before looking at the answer means a peer whose
    // message arrived before ours was answered is never left waiting on us.
    for (;;) {
        RunSentMessages(lock, *self);
        if (message->done) return message->result;
        self->wake.wait(lock);
    }
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Facility& facility = TheFacility();
    std::lock_guard<std::mutex> guard(facility.lock);
    const Window* window = LookUp(facility, hwnd);
    if (window == nullptr) return FALSE;
    window->owner->posted.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount()});
    window->owner->wake.notify_all();
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    std::lock_guard<std::mutex> guard(TheFacility().lock);
    self->quitPending = true;
    self->exitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    std::unique_lock<std::mutex> lock(TheFacility().lock);
    RunSentMessages(lock, *self);
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    return msg != nullptr && TakePosted(*self, hwnd, filterMin, filterMax, remove, msg) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) return -1;
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    Facility& facility = TheFacility();
    std::unique_lock<std::mutex> lock(facility.lock);
    for (;;) {
        RunSentMessages(lock, *self);
        if (hwnd != nullptr && LookUp(facility, hwnd) == nullptr) return -1;
        if (TakePosted(*self, hwnd, filterMin, filterMax, true, msg)) return msg->message == WM_QUIT ? 0 : 1;
        self->wake.wait(lock);
    }
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr) return 0;
    WNDPROC proc = nullptr;
    {
        Facility& facility = TheFacility();
        std::lock_guard<std::mutex> guard(facility.lock);
        const Window* window = LookUp(facility, msg->hwnd);
        if (window == nullptr) return 0;
        proc = window->proc;
    }
    return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetTickCount(void) {
    using namespace std::chrono;
    // The conversion to 32 bits is the wrap-around the counter promises.
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // extern "C"

namespace korven::platform {

// The threads waiting, so that completing wakes them. Under the facility lock.
struct CompletionSignal::State {
    bool completed = false;
    std::vector<std::shared_ptr<ThreadQueue>> waiters;
};

CompletionSignal::CompletionSignal() : state_(std::make_unique<State>()) {}

CompletionSignal::~CompletionSignal() = default;

void CompletionSignal::Complete() {
    std::lock_guard<std::mutex> guard(TheFacility().lock);
    state_->completed = true;
    for (const std::shared_ptr<ThreadQueue>& waiter : state_->waiters) waiter->wake.notify_all();
}

void CompletionSignal::WaitServingSentMessages() {
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    std::unique_lock<std::mutex> lock(TheFacility().lock);
    state_->waiters.push_back(self);
    for (;;) {
        RunSentMessages(lock, *self);
        if (state_->completed) break;
        self->wake.wait(lock);
    }
    state_->waiters.erase(std::find(state_->waiters.begin(), state_->waiters.end(), self));
}

}  // namespace korven::platform

namespace korven::platform::posix {

void WaitForPendingMessage(uint32_t milliseconds) {
    const std::shared_ptr<ThreadQueue>& self = CurrentQueue();
    std::unique_lock<std::mutex> lock(TheFacility().lock);
    self->wake.wait_for(lock, std::chrono::milliseconds(milliseconds),
                        [&self] { return !self->sent.empty() || !self->posted.empty(); });
}

void EndMessageWindows() {
    delete static_cast<QueueOwner*>(pthread_getspecific(QueueKey()));
    pthread_key_delete(QueueKey());
    TheFacility().~Facility();
}

}  // namespace korven::platform::posix
