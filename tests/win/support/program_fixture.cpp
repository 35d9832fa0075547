#include "support/program_fixture.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "i18n/language.h"

bool IconShowsVisibleFiles(HICON icon) {
    constexpr int kSize = 32;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
    int white = 0;
    for (int y = 10; y < 22; ++y)
        for (int x = 10; x < 22; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (GetRValue(pixel) > 200 && GetGValue(pixel) > 200 && GetBValue(pixel) > 200) ++white;
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return white > 100;  // of 144: the visible picture is white there, the other one mostly blue
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

namespace {
BOOL CALLBACK DestroyIfMainWindow(HWND window, LPARAM) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (lstrcmpW(name, kMainWindowClass) == 0) DestroyWindow(window);
    return TRUE;
}
}  // namespace

void DiscardMainWindow() {
    EnumThreadWindows(GetCurrentThreadId(), DestroyIfMainWindow, 0);
    PumpMessages();
    WPARAM ignored = 0;
    TakeQuit(ignored);
    UnregisterClassW(kMainWindowClass, GetModuleHandleW(nullptr));
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now > end) return false;
        // The program's own loop step: messages and the watch on Explorer's values.
        int exitCode = 0;
        if (!PumpMessagesAndWatch(static_cast<DWORD>(end - now < 10 ? end - now : 10), exitCode)) {
            PostQuitMessage(exitCode);
            return done();
        }
    }
    return true;
}

bool TakeQuit(WPARAM& exitCode) {
    MSG message;
    bool found = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            found = true;
            exitCode = message.wParam;
        }
    }
    return found;
}

void ProgramTest::SetUp() {
    CleanRegistryTest::SetUp();
    DiscardMainWindow();
    SetLanguage(L"EN");
}

void ProgramTest::TearDown() {
    DiscardMainWindow();
    CleanRegistryTest::TearDown();
}
