// The hidden main window: the one door through which hotkeys, tray
// notifications and menu commands reach the program.
#pragma once

#include <windows.h>

#include "app/hotkey_rules.h"  // the hotkey ids

inline constexpr wchar_t kMainWindowClass[] = L"Veilux";

// Private messages to the main window.
inline constexpr UINT kExplorerValuesChangedMessage = WM_APP + 1;  // from the watch on Explorer's values
// Posted by the update check's thread when its download has ended; wParam is
// TRUE when the version file was written.
inline constexpr UINT kUpdateCheckDoneMessage = WM_APP + 2;
// Posted by the dot-folder worker after a pass that hid or showed a folder.
inline constexpr UINT kDotFoldersChangedMessage = WM_APP + 3;

// Ticks while the tray icon waits for Explorer's notification area.
inline constexpr UINT_PTR kTrayRetryTimer = 1;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the user guide in the default browser.
void OpenUserGuide();
