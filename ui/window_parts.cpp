#include "ui/window_parts.h"

#include "app/platform_calls.h"

HFONT CreateWindowFont() {
    return CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
}

bool HighContrastOn() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    return g_platform.systemParameters(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool KeepFocusAcrossActivation(HWND window, WPARAM wParam, HWND& lastFocus, HWND first) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) lastFocus = focus;
        return true;
    }
    if (HIWORD(wParam)) return false;
    SetFocus(lastFocus && IsChild(window, lastFocus) ? lastFocus : first);
    return true;
}
