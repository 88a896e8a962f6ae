// Starts the library's state object the way loading the library does, with
// the log below a private folder so that parallel test processes do not
// share a log file.
#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/diagnostic_log.h"
#include "support/test_paths.h"

namespace {

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { theApp().StartUp(korven::test::PrepareModuleDirectory()); }
    void TearDown() override { theApp().ExitInstance(); }
};

// Settings that a test may change through the exports and that every other
// test expects at their defaults, whatever the order the tests run in.
class DefaultSettings : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        theApp().windowMessageType = 0;
        korven::TheLog().SetLevel(1);
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DefaultSettings);
    return RUN_ALL_TESTS();
}
