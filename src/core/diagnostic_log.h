// The library's plain-text trace: one file per day below the module
// directory, a line per call, message and frame.
#pragma once

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace korven {

class DiagnosticLog {
public:
    DiagnosticLog() = default;
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;
    ~DiagnosticLog();

    // Sets the level; opens today's file below moduleDirectory if none is open
    // (creating only the last folder level). Without a file lines are dropped.
    void Open(int level, const std::string& moduleDirectory);
    void SetLevel(int level) { level_ = level; }
    int Level() const { return level_; }
    bool Enabled() const { return level_ != 0; }
    bool HasFile() const { return file_ != nullptr; }
    std::string FilePath() const;

    // Writes "[hh:mm:ss:ms] message\r\n" in one write, flushed.
    void Write(const char* message);
    // Writes the closing banner (when enabled) and closes the file.
    void Close();

private:
    std::atomic<int> level_{0};
    std::atomic<FILE*> file_{nullptr};
    mutable std::mutex openLock_;
    std::string path_;
};

// The module-wide log of the library.
DiagnosticLog& TheLog();
// Ends it: the last step of unloading.
void ReleaseTheLog();

}  // namespace korven

// printf-style; returns at once while the level is 0. The message is cut at
// 1023 characters.
void WriteLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// OpenLogFile of the module-wide log, below the module directory.
void OpenLogFile(int level);
