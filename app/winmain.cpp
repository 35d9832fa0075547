// Entry point of veilux.exe.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The program is often run from a Downloads folder, where a planted DLL
    // could stand in for a system one: from here on DLLs load only from System32.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    bool downloadRunning = false;
    const int exitCode = RunVeilux(instance, &downloadRunning);
    // Everything of the user's is put away by now. A version download still
    // under way may hold locks inside WinINet that its DLL's own shutdown
    // would wait for, so the process ends without the DLLs' shutdown, at once.
    if (downloadRunning) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    return exitCode;
}
