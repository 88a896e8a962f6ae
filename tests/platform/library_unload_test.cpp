// Loading and unloading the real library while its threads run, as an
// application that frees the library would.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "support/test_window.h"

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

namespace {

using InitFunction = int (*)(HWND, int, int);
// KORVEN_Init(HWND, int, int) has C++ linkage.
const char kInitSymbol[] = "_Z11KORVEN_InitP6HWND__ii";

#if defined(_WIN32)
void* Load() { return LoadLibraryA(KORVEN_LIBRARY_PATH); }
void* Find(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void Unload(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
void* Load() { return dlopen(KORVEN_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL); }
void* Find(void* library, const char* name) { return dlsym(library, name); }
void Unload(void* library) { dlclose(library); }
#endif

TEST(LibraryUnload, EndsPromptlyWithTheDispatchThreadRunning) {
    korven::test::TestWindow window;
    void* library = Load();
    ASSERT_NE(library, nullptr);
    auto init = reinterpret_cast<InitFunction>(Find(library, kInitSymbol));
    ASSERT_NE(init, nullptr);
    ASSERT_EQ(0, init(window.handle(), 0, 1));

    auto unloading = std::async(std::launch::async, [library] { Unload(library); });
    // A hang guard only: unloading waits for no thread without a bound.
    EXPECT_EQ(std::future_status::ready, unloading.wait_for(std::chrono::seconds(30)));
}

}  // namespace
