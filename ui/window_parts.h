// What the program's two small windows share: their font, the default
// button's frame and the focus kept as a dialog box keeps it.
#pragma once

#include <windows.h>

#include <initializer_list>

// 9-point Segoe UI, as the windows' controls use, for a window drawn at this
// DPI (12 pixels high at 96); null when it cannot be had.
HFONT CreateWindowFont(UINT dpi);

// As in a dialog box: the push button with the focus carries the default
// frame, and OK does again once the focus moves on, so Enter presses the
// framed button. Called before each message: the focus may have moved by a
// key or by the mouse, and the dialog manager may take a frame off a button
// it moves away from without giving it to OK (Wine's does).
void ShowDefaultButton(HWND window, std::initializer_list<int> buttonIds);

// As in a dialog box: the focus is remembered in lastFocus when the window
// goes to the back and given back when it comes to the front; the first
// time, first gets it. False for a minimised window's activation, which the
// default handling takes: the focus comes back when it is restored.
bool KeepFocusAcrossActivation(HWND window, WPARAM wParam, HWND& lastFocus, HWND first);
