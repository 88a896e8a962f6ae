#include "core/diagnostic_log.h"

#include <cstdarg>
#include <new>

#include "core/app_state.h"
#include "platform/host.h"

namespace korven {
namespace {

constexpr size_t kMessageBuffer = 1024;
constexpr size_t kLineBuffer = 2096;
const char kBannerRule[] = "#############################################################";

std::string LogDirectory(const std::string& moduleDirectory) {
    const char separator = platform::PathSeparator();
    return moduleDirectory + separator + "log" + separator + "KorvenSignalLib";
}

std::string LogFileName(const std::string& directory) {
    const platform::LocalTime now = platform::Now();
    char name[64];
    std::snprintf(name, sizeof name, "%cKorvenSignalLib[%01d%02d%02d].log", platform::PathSeparator(),
                  now.year - 2000, now.month, now.day);
    return directory + name;
}

}  // namespace

DiagnosticLog::~DiagnosticLog() {
    if (FILE* file = file_.exchange(nullptr)) std::fclose(file);
}

void DiagnosticLog::Open(int level, const std::string& moduleDirectory) {
    level_ = level;
    std::lock_guard<std::mutex> guard(openLock_);
    if (file_ != nullptr) return;
    const std::string directory = LogDirectory(moduleDirectory);
    if (!platform::MakeDirectory(directory)) return;
    const std::string path = LogFileName(directory);
    if (FILE* file = std::fopen(path.c_str(), "ab")) {
        path_ = path;
        file_ = file;
    }
}

std::string DiagnosticLog::FilePath() const {
    std::lock_guard<std::mutex> guard(openLock_);
    return path_;
}

void DiagnosticLog::Write(const char* message) {
    const platform::LocalTime now = platform::Now();
    char line[kLineBuffer];
    const int length = std::snprintf(line, sizeof line, "[%02d:%02d:%02d:%02d] %s\r\n", now.hour, now.minute,
                                     now.second, now.millisecond, message);
    if (length <= 0) return;
    FILE* file = file_;
    if (level_ == 0 || file == nullptr) return;
    std::fwrite(line, 1, std::min(static_cast<size_t>(length), sizeof line - 1), file);
    std::fflush(file);
}

void DiagnosticLog::Close() {
    if (Enabled()) {
        Write(kBannerRule);
        Write("                     End of KorvenSignalLib log.");
        Write((std::string(kBannerRule) + "\n\n").c_str());
    }
    std::lock_guard<std::mutex> guard(openLock_);
    if (FILE* file = file_.exchange(nullptr)) std::fclose(file);
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

void ReleaseTheLog() { TheLog().~DiagnosticLog(); }

}  // namespace korven

void WriteLog(const char* format, ...) {
    if (!korven::TheLog().Enabled()) return;
    char message[korven::kMessageBuffer];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    korven::TheLog().Write(message);
}

void OpenLogFile(int level) { korven::TheLog().Open(level, theApp().moduleDirectory); }
