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
// and COM are left up and *downloadStillRunning is set: the caller ends the
// process at once.
int RunVeilux(HINSTANCE instance, bool* downloadStillRunning = nullptr);

// True when the program is ready to enter its message loop.
bool InitInstance(StartupContext& context);

// The Exit command: closes the settings window, removes the icon and ends the loop.
void ExitApplication();

// Removes the tray icon from the notification area and destroys the TrayIcon.
void ReleaseTray();

// How long the waiting icon waits before its next try, after this many timed
// tries: 1, 2, 4 and 8 s, then every 15 s.
UINT TrayRetryDelayMs(unsigned tries);

// Whether the icon waits for the notification area to take it.
bool WaitingForTray();

// Tries the waiting icon again: on a tick of the retry timer (timerTick), or
// when Explorer announces a new taskbar. Once the start's first add is in, the
// start balloon and the update check follow; after five minutes without it the
// start fails with the error box and exit code 1. A re-add that never gets in
// is given up silently.
void RetryTrayIcon(bool timerTick);

// Explorer made a new taskbar and the icon is gone from it: puts the icon
// back, or waits for the taskbar to take it.
void RestoreTrayIcon();
