// Entry point of veilux.exe.
#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The program is often run from a Downloads folder, where a planted DLL
    // could stand in for a system one: from here on DLLs load only from System32.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return RunVeilux(instance);
}
