// Start-up at load and shut-down at unload of the shared object.
#include "core/app_state.h"
#include "platform/posix/message_window.h"
#include "platform/posix/text_converters.h"

namespace {

__attribute__((constructor)) void LoadLibraryModule() { theApp().InitInstance(); }

__attribute__((destructor)) void UnloadLibraryModule() {
    theApp().ExitInstance();
    ReleaseLibraryState();
    korven::platform::posix::ReleaseTextConverters();
    korven::platform::posix::EndMessageWindows();
}

}  // namespace
