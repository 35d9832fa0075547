#include "ui/window_parts.h"

#include "ui/display_scale.h"

HFONT CreateWindowFont(UINT dpi) {
    return CreateFontW(-ScaleFrom96(12, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"Segoe UI");
}

void ShowDefaultButton(HWND window, std::initializer_list<int> buttonIds) {
    const HWND focus = GetFocus();
    if (!focus || !IsChild(window, focus)) return;  // in the back the frame stays where it was
    const int focusId = GetDlgCtrlID(focus);
    bool onButton = false;
    for (int id : buttonIds) onButton = onButton || id == focusId;
    for (int id : buttonIds) {
        const HWND button = GetDlgItem(window, id);
        const LONG kind = (onButton ? focusId == id : id == IDOK) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) != kind)
            SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(kind), TRUE);
    }
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
