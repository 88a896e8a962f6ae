#include "core/diagnostic_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "KorvenSignalLib.h"
#include "platform/host.h"
#include "support/log_capture.h"
#include "support/test_paths.h"
#include "support/test_window.h"

namespace {

using korven::DiagnosticLog;

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class PrivateLog : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = korven::test::PrepareModuleDirectory();
        log_.Open(1, module_);
        ASSERT_TRUE(log_.HasFile());
    }
    std::string module_;
    DiagnosticLog log_;
};

TEST_F(PrivateLog, FileIsNamedAfterTodayBelowLogFolder) {
    const korven::platform::LocalTime now = korven::platform::Now();
    char name[40];
    std::snprintf(name, sizeof name, "KorvenSignalLib[%02d%02d%02d].log", now.year - 2000, now.month, now.day);
    const std::filesystem::path expected = std::filesystem::path(module_) / "log" / "KorvenSignalLib" / name;
    EXPECT_EQ(expected.string(), log_.FilePath());
}

TEST_F(PrivateLog, LineHasTimeStampAndCrLf) {
    log_.Write("hello");
    const std::string text = ReadFile(log_.FilePath());
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\[\d\d:\d\d:\d\d:\d{2,3}\] hello\r\n)"))) << text;
}

TEST_F(PrivateLog, LevelZeroKeepsTheFileOpenAndOneResumesIt) {
    log_.Write("first");
    log_.SetLevel(0);
    log_.Write("hidden");
    EXPECT_TRUE(log_.HasFile());
    log_.SetLevel(1);
    log_.Write("second");
    const std::string text = ReadFile(log_.FilePath());
    EXPECT_NE(std::string::npos, text.find("first"));
    EXPECT_EQ(std::string::npos, text.find("hidden"));
    EXPECT_NE(std::string::npos, text.find("second"));
}

TEST_F(PrivateLog, ClosingWritesTheGatheredLinesThenTheBanner) {
    const std::string path = log_.FilePath();
    {
        const korven::LogBatch batch;
        log_.Write("gathered");
        log_.Close();
    }
    const std::string text = ReadFile(path);
    const std::string rule(61, '#');
    EXPECT_NE(std::string::npos, text.find("] " + rule + "\r\n"));
    EXPECT_NE(std::string::npos, text.find("] " + std::string(21, ' ') + "End of KorvenSignalLib log.\r\n"));
    EXPECT_NE(std::string::npos, text.find("] " + rule + "\n\n\r\n"));
    EXPECT_LT(text.find("gathered"), text.find(rule));
    EXPECT_FALSE(log_.HasFile());
}

// A decoding thread's lines go out in large pieces, part of them through
// the writer thread, while other threads write theirs one by one. Lowering
// the level writes out what is left: nothing accepted is lost, cut or
// reordered.
TEST_F(PrivateLog, BatchedLinesAllArriveWholeAndInOrderBesideOtherThreadsLines) {
    constexpr int kBatched = 20000;  // several times what is gathered before writing
    constexpr int kOthers = 500;
    const std::string padding(40, '.');
    std::thread other([this] {
        for (int i = 0; i < kOthers; ++i) log_.Write(("other " + std::to_string(i)).c_str());
    });
    {
        const korven::LogBatch batch;
        for (int i = 0; i < kBatched; ++i) log_.Write(("batched " + std::to_string(i) + padding).c_str());
    }
    other.join();
    log_.SetLevel(0);
    std::istringstream lines(ReadFile(log_.FilePath()));
    const std::regex line(R"(\[\d\d:\d\d:\d\d:\d{2,3}\] (batched|other) (\d+)(\.*)\r)");
    int next[2] = {0, 0};
    for (std::string text; std::getline(lines, text);) {
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(text, parts, line)) << text;
        const bool batched = parts[1] == "batched";
        EXPECT_EQ(next[batched]++, std::stoi(parts[2]));
        EXPECT_EQ(batched ? padding : "", parts[3]);
    }
    EXPECT_EQ(kBatched, next[1]);
    EXPECT_EQ(kOthers, next[0]);
}

TEST(DiagnosticLogFolder, NoFileWithoutTheLogFolder) {
    const std::string module = korven::test::MakeTempDirectory("nolog");
    DiagnosticLog log;
    log.Open(1, module);
    EXPECT_FALSE(log.HasFile());
    EXPECT_FALSE(log.Enabled()) << "with nowhere to write, nothing is to be formatted";
    log.Write("dropped");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(module) / "log"));
}

TEST(WriteLogFormat, MessageIsCutAt1023Characters) {
    korven::test::LogCapture capture;
    const std::string longText(3000, 'z');
    WriteLog("%s", longText.c_str());
    const auto messages = capture.Messages();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(std::string(1023, 'z'), messages[0]);
}

// Conversions beyond the library's own forms go to printf from the start,
// with every argument.
TEST(WriteLogFormat, OtherConversionsArePrintedByPrintf) {
    korven::test::LogCapture capture;
    WriteLog("%d [%5.1f] %s %ld", 7, 2.5, "text", 123456789L);
    EXPECT_EQ(std::vector<std::string>{"7 [  2.5] text 123456789"}, capture.Messages());
}

TEST(LogLevelExports, SetAndGetWithCreateLine) {
    korven::test::TestWindow window;
    ASSERT_EQ(0, KORVEN_Init(window.handle(), 0, 1));
    korven::test::LogCapture capture;
    EXPECT_EQ(0, KORVEN_SetLogLevel(3));
    EXPECT_EQ(3, KORVEN_GetLogLevel());
    EXPECT_EQ(0, KORVEN_SetLogLevel(0));
    EXPECT_EQ(0, KORVEN_SetLogLevel(1));
    const std::vector<std::string> expected = {"[FN-BEGIN]KORVEN_SetLogLevel : LogLevel[3]",
                                               "[FN-END]KORVEN_SetLogLevel",
                                               "[FN-BEGIN]KORVEN_GetLogLevel",
                                               "[FN-END]KORVEN_GetLogLevel : Level[3]",
                                               "[FN-BEGIN]KORVEN_SetLogLevel : LogLevel[0]",
                                               "[FN-END]KORVEN_SetLogLevel"};
    EXPECT_EQ(expected, capture.Messages()) << "level 1 resumes in the same file without a create line";
}

}  // namespace
