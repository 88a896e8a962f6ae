#include "core/diagnostic_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

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

TEST_F(PrivateLog, ClosingWritesTheBanner) {
    const std::string path = log_.FilePath();
    log_.Close();
    const std::string text = ReadFile(path);
    const std::string rule(61, '#');
    EXPECT_NE(std::string::npos, text.find("] " + rule + "\r\n"));
    EXPECT_NE(std::string::npos, text.find("] " + std::string(21, ' ') + "End of KorvenSignalLib log.\r\n"));
    EXPECT_NE(std::string::npos, text.find("] " + rule + "\n\n\r\n"));
    EXPECT_FALSE(log_.HasFile());
}

TEST(DiagnosticLogFolder, NoFileWithoutTheLogFolder) {
    const std::string module = korven::test::MakeTempDirectory("nolog");
    DiagnosticLog log;
    log.Open(1, module);
    EXPECT_FALSE(log.HasFile());
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

TEST(LogLevelExports, SetAndGetWithCreateLine) {
    korven::test::TestWindow window;
    ASSERT_EQ(0, KORVEN_Init(window.handle(), 0, 1));
    korven::test::LogCapture capture;
    EXPECT_EQ(0, KORVEN_SetLogLevel(3));
    EXPECT_EQ(3, KORVEN_GetLogLevel());
    EXPECT_EQ(0, KORVEN_SetLogLevel(0));
    EXPECT_EQ(0, KORVEN_SetLogLevel(1));
    const std::vector<std::string> expected = {"[FN-BEGIN]KORVEN_SetLogLevel : LogLevel[3]", "[FN-END]KORVEN_SetLogLevel",
                                               "[FN-BEGIN]KORVEN_GetLogLevel", "[FN-END]KORVEN_GetLogLevel : Level[3]",
                                               "[FN-BEGIN]KORVEN_SetLogLevel : LogLevel[0]",
                                               "[FN-END]KORVEN_SetLogLevel"};
    EXPECT_EQ(expected, capture.Messages()) << "level 1 resumes in the same file without a create line";
}

}  // namespace
