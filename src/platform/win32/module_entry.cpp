// Start-up at process attach and shut-down at detach of the DLL.
#include <windows.h>

#include "core/app_state.h"
#include "core/diagnostic_log.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) return theApp().InitInstance() ? TRUE : FALSE;
    // At process exit the other threads are gone already; joining them would
    // hang, so only a FreeLibrary unload shuts down.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        theApp().threadsCannotEnd = true;
        theApp().ExitInstance();
    }
    // At process exit the lines a decoding thread gathered still go out.
    if (reason == DLL_PROCESS_DETACH && reserved != nullptr) korven::TheLog().TryWritePending();
    return TRUE;
}
