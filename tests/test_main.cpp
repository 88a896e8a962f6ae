// Starts the library's state object the way loading the library does, with
// the log below a private folder so that parallel test processes do not
// share a log file.
#include <gtest/gtest.h>

#include "core/app_state.h"
#include "support/test_paths.h"

namespace {

class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { theApp().StartUp(korven::test::PrepareModuleDirectory()); }
    void TearDown() override { theApp().ExitInstance(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);
    return RUN_ALL_TESTS();
}
