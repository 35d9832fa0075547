#include "ui/display_scale.h"

namespace {

// Looked up at run time: the program starts on Windows versions without them.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    if (!screen) return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT DpiOfWindow(HWND window) {
    static const auto forWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (forWindow && window) {
        const UINT dpi = forWindow(window);
        if (dpi != 0) return dpi;  // 0 for a handle that names no window
    }
    return ScreenDpi();
}

void AdjustWindowRectForDpi(RECT& frame, DWORD style, UINT dpi) {
    static const auto forDpi =
        User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&frame, style, FALSE, 0, dpi)) return;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
}

int SmallIconSizeForDpi(UINT dpi) {
    static const auto forDpi = User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) {
        const int size = forDpi(SM_CXSMICON, dpi);
        if (size > 0) return size;
    }
    // The system's metrics are those of the screen's DPI.
    return MulDiv(GetSystemMetrics(SM_CXSMICON), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

int ImageScaleForDpi(UINT dpi) {
    if (dpi <= kBaseDpi) return 100;
    if (dpi <= kBaseDpi * 3 / 2) return 150;
    return 200;
}
