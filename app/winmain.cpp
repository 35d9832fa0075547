// Entry point of veilux.exe.
#include <windows.h>

#include "app/command_line.h"
#include "app/startup.h"
#include "update/update_helper.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
    // The program is often run from a Downloads folder, where a planted DLL
    // could stand in for a system one: from here on DLLs load only from System32.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The program started by itself to fetch the version file, and nothing else.
    if (IsUpdateHelperCommandLine(cmdLine)) return static_cast<int>(RunUpdateHelper());
    // Words after the name make it a command: no window, no icon, no guard.
    if (HasCommandWords()) return RunCommandLine();
    bool downloadRunning = false;
    const int exitCode = RunVeilux(instance, &downloadRunning);
    // Everything of the user's is put away by now. The helper still
    // downloading ends with this process (its job goes with the last handle)
    // or, in no job, just before it; nothing here is worth waiting for.
    if (downloadRunning) {
        StopStartingUpdateHelpers();
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    }
    return exitCode;
}
