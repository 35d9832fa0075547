// Drawing at each screen's own resolution. Every size in the program is
// given in pixels at 96 DPI (100 %) and turned into the pixels of the DPI
// that the window is drawn at.
#pragma once

#include <windows.h>

inline constexpr UINT kBaseDpi = 96;

// A length of 96-DPI pixels at this DPI, rounded to the nearest pixel
// (font heights are negative and round the same way).
inline int ScaleFrom96(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kBaseDpi); }

// The DPI a window is drawn at: GetDpiForWindow from Windows 10 1607 on,
// before it the screen's, which is the same for every window there.
UINT DpiOfWindow(HWND window);

// The outer rectangle of a window with this style whose client area is
// frame, for this DPI: AdjustWindowRectExForDpi from Windows 10 1607 on,
// the system's frame sizes before it.
void AdjustWindowRectForDpi(RECT& frame, DWORD style, UINT dpi);

// The small-icon size at this DPI: what the notification area draws.
int SmallIconSizeForDpi(UINT dpi);

// Which drawing of the PNG images fits this DPI: 100, 150 or 200 (per cent),
// the smallest one at least as large as the DPI asks, 200 beyond that.
int ImageScaleForDpi(UINT dpi);
