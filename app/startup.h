// The life of the process: start-up checks, the tray icon, the message loop
// and the teardown.
#pragma once

#include <windows.h>

// What the entry point hands to InitInstance; it closes the mutex at the end.
struct StartupContext {
    HINSTANCE instance = nullptr;
    HANDLE mutex = nullptr;  // the single-instance guard, null until created
};

inline constexpr wchar_t kSingleInstanceMutexName[] = L"VeiluxApp";
inline constexpr wchar_t kProductName[] = L"Veilux";

// The whole program after the DLL search path is locked down: returns the
// process exit code. When the version download still runs at the end, GDI+
// and COM are left up: the caller ends the process at once.
int RunVeilux(HINSTANCE instance);

// True when the program is ready to enter its message loop.
bool InitInstance(StartupContext& context);

// The Exit command: closes the settings window, removes the icon and ends the loop.
void ExitApplication();

// Removes the tray icon from the notification area and destroys the TrayIcon.
void ReleaseTray();

// Whether the icon still waits for Explorer's notification area.
bool WaitingForTray();

// Tries the waiting icon again (a timer tick, or Explorer's "TaskbarCreated").
// Once it is in, the start balloon and the update check follow; after two
// minutes without it the start fails with the error box and exit code 1.
void RetryTrayIcon();
