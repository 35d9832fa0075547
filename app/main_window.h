// The hidden main window: the one door through which hotkeys, tray
// notifications and menu commands reach the program.
#pragma once

#include <windows.h>

inline constexpr wchar_t kMainWindowClass[] = L"Veilux";

inline constexpr int kHotkeyToggleHidden = 1;  // Alt+.
inline constexpr int kHotkeyToggleExtensions = 2;  // Alt+Shift+.

// Private messages to the main window.
inline constexpr UINT kExplorerValuesChangedMessage = WM_APP + 1;  // from the watch on Explorer's values

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the user guide in the default browser.
void OpenUserGuide();
