// The keyboard shortcuts window: a hotkey control for each toggle, a note
// under each that says why its shortcut cannot be had, Defaults, OK and Cancel.
#pragma once

#include <windows.h>

inline constexpr wchar_t kShortcutsWindowClass[] = L"VeiluxShortcutsWindow";

// Control ids.
inline constexpr int kHiddenShortcutFieldId = 1101;
inline constexpr int kExtensionsShortcutFieldId = 1102;
inline constexpr int kShortcutDefaultsId = 1103;
inline constexpr int kHiddenShortcutStatusId = 1111;
inline constexpr int kExtensionsShortcutStatusId = 1112;

// Opens the window, or brings the open one to the front.
void OpenShortcutsWindow();
// Closes the window if it is open; nothing is stored.
void CloseShortcutsWindow();

// The open window's share of the message loop: Tab, Enter, Esc and Alt+F4
// as in a dialog box, Backspace or Delete empties a field. True when the
// message was for the window and has been handled.
bool IsShortcutsDialogMessage(MSG& message);

// A registered shortcut reaches the main window, never the control that has
// the focus. While the user types into a field of this window (it is in
// front), the shortcut goes into that field instead of toggling; true then.
bool ShortcutsWindowTakesHotkey(int hotkeyId);

LRESULT CALLBACK ShortcutsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
