// The library's plain-text trace: one file per day below the module
// directory, a line per call, message and frame.
//
// A line is formatted only while it can be written (level nonzero and a file
// open). Accepted lines gather in one buffer shared by every thread, in the
// order they were accepted, and reach the file in large writes:
// - a thread that is not batching writes the buffer out with each of its
//   lines, so an export's lines are in the file before it returns;
// - a thread that decodes frames batches (LogBatch): it writes the buffer
//   out itself when it is about to wait for the next frame; while frames
//   keep coming, a writer thread (started at the first such burst, blocked
//   while there is nothing to write) writes each 128 KiB gathered, and the
//   decoding thread writes itself only when 256 KiB wait for a writer still
//   busy with the block before. The next line of any other thread writes
//   everything out as well.
// A crash of the process therefore loses at most the lines accepted since a
// decoding thread last waited for a frame, never more than 512 KiB. Setting
// the level to 0 and closing the log (unload) write out every line accepted
// before.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace korven {

// The longest message of one line; longer ones are cut there.
constexpr size_t kLogMessageLimit = 1023;

class DiagnosticLog {
public:
    DiagnosticLog() = default;
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;
    ~DiagnosticLog();

    // Sets the level; opens today's file below moduleDirectory if none is open
    // (creating only the last folder level). Without a file lines are dropped.
    void Open(int level, const std::string& moduleDirectory);
    // Sets the level after writing out the lines accepted so far.
    void SetLevel(int level);
    int Level() const { return level_; }
    // True while a line would be written; nothing need be formatted otherwise.
    bool Enabled() const { return level_ != 0 && hasFile_; }
    bool HasFile() const { return hasFile_; }
    std::string FilePath() const;

    // Accepts "[hh:mm:ss:ms] message\r\n", the message cut at
    // kLogMessageLimit characters, while Enabled().
    void Write(const char* message);
    void Write(const char* message, size_t length);
    // Writes out every line accepted so far.
    void WritePending();
    // As WritePending, unless another thread holds the log: at the end of
    // the process on Windows, a thread killed while writing holds it forever.
    void TryWritePending();
    // Writes the closing banner (when enabled) and every line before it,
    // stops the writer thread and closes the file. When threads cannot end
    // (unload under the Windows loader lock) the writer thread is only
    // waited for, at most 4000 ms, to leave its loop, and then let go.
    void Close(bool threadsCanEnd = true);

private:
    // What a batching thread does with a line it has just added.
    enum class Then { Nothing, WakeWriter, WriteNow };
    Then AfterBatchedLineLocked();
    void WriterLoop();
    void StopWriter(bool threadCanEnd);

    std::atomic<int> level_{0};
    std::atomic<bool> hasFile_{false};
    // Taken before lock_ by whoever writes to the file, so that blocks reach
    // it in the order they were taken from the buffer.
    std::mutex writeLock_;
    // Guards the file, its path, the lines not yet written and the writer.
    mutable std::mutex lock_;
    FILE* file_ = nullptr;
    std::string path_;
    std::string pending_;
    std::string writing_;  // under writeLock_
    std::thread writer_;
    std::condition_variable writerWake_;
    std::condition_variable writerLeft_;
    bool writerHasWork_ = false;
    bool writerStop_ = false;
    bool writerLoopLeft_ = false;
};

// The module-wide log of the library.
DiagnosticLog& TheLog();
// Ends it: the last step of unloading.
void ReleaseTheLog();

// While one lives on a thread, that thread batches its lines (see above);
// the last to go writes them out. For the threads that decode frames.
class LogBatch {
public:
    LogBatch();
    ~LogBatch();
    LogBatch(const LogBatch&) = delete;
    LogBatch& operator=(const LogBatch&) = delete;
};

}  // namespace korven

// printf-style; returns at once, formatting nothing, while nothing can be
// written. The message is cut at 1023 characters.
void WriteLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// OpenLogFile of the module-wide log, below the module directory.
void OpenLogFile(int level);
