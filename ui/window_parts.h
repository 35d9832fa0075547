// What the program's two small windows share: their font, the high-contrast
// question and the focus kept as a dialog box keeps it.
#pragma once

#include <windows.h>

// 9-point Segoe UI, as the windows' controls use; null when it cannot be had.
HFONT CreateWindowFont();

// Asked each time a window paints: the theme can change while it is open.
bool HighContrastOn();

// As in a dialog box: the focus is remembered in lastFocus when the window
// goes to the back and given back when it comes to the front; the first
// time, first gets it. False for a minimised window's activation, which the
// default handling takes: the focus comes back when it is restored.
bool KeepFocusAcrossActivation(HWND window, WPARAM wParam, HWND& lastFocus, HWND first);
