#include "core/diagnostic_log.h"

#include <algorithm>
#include <cstdarg>
#include <chrono>
#include <system_error>
#include <new>

#include "core/app_state.h"
#include "core/log_text.h"
#include "platform/host.h"

namespace korven {
namespace {

// A batching thread hands its lines to the writer thread once this much has
// gathered, and writes them itself at the most.
constexpr size_t kHandOffBytes = 128 * 1024;
constexpr size_t kMostPending = 256 * 1024;
constexpr auto kWriterStopWait = std::chrono::milliseconds(4000);
// "[hh:mm:ss:mmm] " and "\r\n" around the message.
constexpr size_t kStampLimit = 15;
constexpr size_t kLineLimit = kStampLimit + kLogMessageLimit + 2;
const char kBannerRule[] = "#############################################################";

thread_local int batchDepth = 0;

std::string LogDirectory(const std::string& moduleDirectory) {
    const char separator = platform::PathSeparator();
    return moduleDirectory + separator + "log" + separator + "KorvenSignalLib";
}

std::string LogFileName(const std::string& directory) {
    const platform::LocalTime now = platform::Now();
    char name[64];
    std::snprintf(name, sizeof name, "%cKorvenSignalLib[%01d%02d%02d].log", platform::PathSeparator(), now.year - 2000,
                  now.month, now.day);
    return directory + name;
}

char* TwoDigits(char* out, int value) {
    *out++ = static_cast<char>('0' + value / 10 % 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

// "[hh:mm:ss:ms] ", the millisecond with at least two digits (07, 123), as
// "[%02d:%02d:%02d:%02d] " prints it; returns its length.
size_t FormatStamp(const platform::LocalTime& now, char* out) {
    char* at = out;
    *at++ = '[';
    at = TwoDigits(at, now.hour);
    *at++ = ':';
    at = TwoDigits(at, now.minute);
    *at++ = ':';
    at = TwoDigits(at, now.second);
    *at++ = ':';
    if (now.millisecond >= 100) *at++ = static_cast<char>('0' + now.millisecond / 100 % 10);
    at = TwoDigits(at, now.millisecond % 100);
    *at++ = ']';
    *at++ = ' ';
    return static_cast<size_t>(at - out);
}

}  // namespace

DiagnosticLog::~DiagnosticLog() {
    StopWriter(true);
    WritePending();
    std::lock_guard<std::mutex> guard(lock_);
    if (file_ != nullptr) std::fclose(file_);
}

void DiagnosticLog::Open(int level, const std::string& moduleDirectory) {
    level_ = level;
    std::lock_guard<std::mutex> guard(lock_);
    if (file_ != nullptr) return;
    const std::string directory = LogDirectory(moduleDirectory);
    if (!platform::MakeDirectory(directory)) return;
    const std::string path = LogFileName(directory);
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return;
    // The lines are gathered here; each write goes to the file at once.
    std::setvbuf(file, nullptr, _IONBF, 0);
    pending_.reserve(kMostPending + kLineLimit);
    path_ = path;
    file_ = file;
    hasFile_ = true;
}

void DiagnosticLog::SetLevel(int level) {
    WritePending();
    level_ = level;
}

std::string DiagnosticLog::FilePath() const {
    std::lock_guard<std::mutex> guard(lock_);
    return path_;
}

void DiagnosticLog::Write(const char* message) { Write(message, std::char_traits<char>::length(message)); }

void DiagnosticLog::Write(const char* message, size_t length) {
    if (!Enabled()) return;
    char stamp[kStampLimit];
    const size_t stampLength = FormatStamp(platform::Now(), stamp);
    Then then = Then::WriteNow;
    {
        std::lock_guard<std::mutex> guard(lock_);
        // The level may have dropped, or the file closed, since the check above.
        if (level_ == 0 || file_ == nullptr) return;
        pending_.append(stamp, stampLength);
        pending_.append(message, std::min(length, kLogMessageLimit));
        pending_.append("\r\n", 2);
        if (batchDepth > 0) then = AfterBatchedLineLocked();
        if (then == Then::WakeWriter) writerHasWork_ = true;
    }
    if (then == Then::WakeWriter) writerWake_.notify_one();
    if (then == Then::WriteNow) WritePending();
}

DiagnosticLog::Then DiagnosticLog::AfterBatchedLineLocked() {
    if (pending_.size() < kHandOffBytes) return Then::Nothing;
    if (pending_.size() >= kMostPending) return Then::WriteNow;
    if (writerHasWork_) return Then::Nothing;
    if (!writer_.joinable()) {
        try {
            writerStop_ = false;
            writerLoopLeft_ = false;
            writer_ = std::thread(&DiagnosticLog::WriterLoop, this);
        } catch (const std::system_error&) {
            return Then::WriteNow;
        }
    }
    return Then::WakeWriter;
}

// Takes the log's lock as seldom as it can: every time it has to wait for
// it, the decoding thread pays for waking it.
void DiagnosticLog::WriterLoop() {
    std::unique_lock<std::mutex> writing(writeLock_, std::defer_lock);
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        writerWake_.wait(guard, [this] { return writerHasWork_ || writerStop_; });
        if (writerStop_) break;
        // writeLock_ comes first; holding lock_, it may only be tried.
        if (!writing.try_lock()) {
            guard.unlock();
            writing.lock();
            guard.lock();
        }
        writing_.swap(pending_);
        FILE* const file = file_;
        guard.unlock();
        if (file != nullptr) std::fwrite(writing_.data(), 1, writing_.size(), file);
        writing_.clear();
        writing.unlock();
        guard.lock();
        writerHasWork_ = pending_.size() >= kHandOffBytes;
    }
    writerLoopLeft_ = true;
    writerLeft_.notify_all();
}

void DiagnosticLog::StopWriter(bool threadCanEnd) {
    std::unique_lock<std::mutex> guard(lock_);
    if (!writer_.joinable()) return;
    writerStop_ = true;
    writerWake_.notify_one();
    if (threadCanEnd) {
        guard.unlock();
        writer_.join();
        return;
    }
    writerLeft_.wait_for(guard, kWriterStopWait, [this] { return writerLoopLeft_; });
    writer_.detach();
}

void DiagnosticLog::WritePending() {
    std::lock_guard<std::mutex> writing(writeLock_);
    FILE* file = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        writing_.swap(pending_);
        file = file_;
    }
    if (file != nullptr && !writing_.empty()) std::fwrite(writing_.data(), 1, writing_.size(), file);
    writing_.clear();
}

void DiagnosticLog::TryWritePending() {
    std::unique_lock<std::mutex> writing(writeLock_, std::try_to_lock);
    std::unique_lock<std::mutex> guard(lock_, std::try_to_lock);
    if (!writing.owns_lock() || !guard.owns_lock() || file_ == nullptr) return;
    std::fwrite(pending_.data(), 1, pending_.size(), file_);
    pending_.clear();
}

void DiagnosticLog::Close(bool threadsCanEnd) {
    if (Enabled()) {
        Write(kBannerRule);
        Write("                     End of KorvenSignalLib log.");
        Write((std::string(kBannerRule) + "\n\n").c_str());
    }
    StopWriter(threadsCanEnd);
    std::lock_guard<std::mutex> writing(writeLock_);
    std::lock_guard<std::mutex> guard(lock_);
    hasFile_ = false;
    if (file_ == nullptr) return;
    std::fwrite(pending_.data(), 1, pending_.size(), file_);
    pending_.clear();
    std::fclose(file_);
    file_ = nullptr;
}

namespace {

// In the library's own storage, like the state object: the closing banner
// is written after static destructors, and an unloaded library must leave
// nothing on the heap.
alignas(DiagnosticLog) unsigned char logStorage[sizeof(DiagnosticLog)];

}  // namespace

DiagnosticLog& TheLog() {
    static DiagnosticLog* const log = new (logStorage) DiagnosticLog;
    return *log;
}

LogBatch::LogBatch() { ++batchDepth; }

LogBatch::~LogBatch() {
    if (--batchDepth == 0) TheLog().WritePending();
}

void ReleaseTheLog() { TheLog().~DiagnosticLog(); }

}  // namespace korven

void WriteLog(const char* format, ...) {
    if (!korven::TheLog().Enabled()) return;
    va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    korven::LogText text;
    if (text.AppendFormat(format, arguments)) {
        korven::TheLog().Write(text.data(), text.size());
    } else {
        char message[korven::kLogMessageLimit + 1];
        const int length = std::vsnprintf(message, sizeof message, format, again);
        if (length >= 0) korven::TheLog().Write(message, static_cast<size_t>(length));
    }
    va_end(again);
    va_end(arguments);
}

void OpenLogFile(int level) { korven::TheLog().Open(level, theApp().moduleDirectory); }
