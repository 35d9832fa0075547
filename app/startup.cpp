#include "app/startup.h"

#include "app/gdiplus_header.h"

#include <objbase.h>

#include <memory>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/platform_calls.h"
#include "explorer/dot_folders.h"
#include "explorer/explorer_control.h"
#include "i18n/language.h"
#include "i18n/ui_strings.h"
#include "res/resource.h"
#include "tray/tray_icon.h"
#include "ui/settings_window.h"
#include "ui/shortcuts_window.h"
#include "update/update_check.h"

namespace {

// At sign-in the taskbar may not be there yet, or be there and too busy to
// answer: Shell_NotifyIconW then fails, with or without a time-out. The icon
// waits this long, trying again on a timer and whenever Explorer announces a
// new taskbar.
constexpr ULONGLONG kTrayWaitMs = 5ull * 60 * 1000;

void ShowError(MessageKey text) {
    g_platform.messageBox(nullptr, UiText(text), UiText(MessageKey::ErrorTitle), MB_OK | MB_ICONERROR);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

// The icon has just come into the notification area: it shows the state and greets the user.
void GreetFromTray() {
    g_app.tray->Update(g_app.hiddenVisible, g_app.includeSystemFiles);
    g_app.tray->ShowBalloon(UiText(MessageKey::BalloonStartedTitle), UiText(MessageKey::BalloonStarted), false);
}

void StartWaitingForTray(bool firstAdd) {
    g_app.trayWaitEnds = g_platform.tickCount() + kTrayWaitMs;
    g_app.trayTries = 0;
    g_app.trayWaitIsFirstAdd = firstAdd;
    SetTimer(g_app.mainWindow, kTrayRetryTimer, TrayRetryDelayMs(0), nullptr);
}

void StopWaitingForTray() {
    KillTimer(g_app.mainWindow, kTrayRetryTimer);
    g_app.trayWaitEnds = 0;
    g_app.trayTries = 0;
}

// Creates the icon, gives it the handlers and puts it into the notification
// area, or, when the shell does not take it now, waits for it. False when
// the icon cannot even be made.
bool ShowTrayIcon() {
    g_app.tray = std::make_unique<TrayIcon>();
    TrayIcon& tray = *g_app.tray;
    if (!tray.Create(g_app.mainWindow)) return false;
    tray.onToggleHidden = ToggleHiddenFiles;
    tray.onToggleSystemFiles = ToggleSystemFiles;
    tray.onExit = ExitApplication;
    tray.onToggleExtensions = ToggleExtensions;
    if (tray.Add()) GreetFromTray();
    else StartWaitingForTray(true);
    return true;
}

void FailTrayStart() {
    ReleaseTray();
    ShowError(MessageKey::ErrorTrayIcon);
    ClearRunState();
}

// The download runs beside the user; its answer comes back as a message.
void StartUpdateCheck() {
    if (g_app.controller && TrayIconShown()) g_app.controller->CheckForUpdates(g_app.mainWindow);
}

}  // namespace

// A failing try can hold this thread for several seconds, so the tries thin out.
UINT TrayRetryDelayMs(unsigned tries) { return tries < 4 ? 1000u << tries : 15000u; }

bool InitInstance(StartupContext& context) {
    context.mutex = CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName);
    if (!context.mutex) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        g_platform.messageBox(nullptr, UiText(MessageKey::ErrorAlreadyRunning), kProductName,
                              MB_OK | MB_ICONINFORMATION);
        CloseHandle(context.mutex);
        context.mutex = nullptr;
        return false;
    }

    if (!LoadState()) {
        ShowError(MessageKey::ErrorInit);
        return false;
    }
    if (!RegisterMainWindowClass(context.instance)) {
        ShowError(MessageKey::ErrorRegisterClass);
        ClearRunState();
        return false;
    }
    HWND window = CreateWindowExW(0, kMainWindowClass, kProductName, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                  context.instance, nullptr);
    if (!window) {
        ShowError(MessageKey::ErrorCreateWindow);
        UnregisterClassW(kMainWindowClass, context.instance);
        ClearRunState();
        return false;
    }
    g_app.mainWindow = window;

    if (!ShowTrayIcon()) {
        FailTrayStart();
        return false;
    }
    return true;
}

bool WaitingForTray() { return g_app.trayWaitEnds != 0; }

void RetryTrayIcon(bool timerTick) {
    if (!WaitingForTray()) return;
    if (!TrayIconShown()) {  // the program is ending
        StopWaitingForTray();
        return;
    }
    const bool firstAdd = g_app.trayWaitIsFirstAdd;
    if (firstAdd ? g_app.tray->Add() : g_app.tray->AddAgain()) {
        StopWaitingForTray();
        if (!firstAdd) return;
        GreetFromTray();
        StartUpdateCheck();
        return;
    }
    if (g_platform.tickCount() < g_app.trayWaitEnds) {
        // A new taskbar's announcement leaves the timer's rhythm as it was.
        if (timerTick) SetTimer(g_app.mainWindow, kTrayRetryTimer, TrayRetryDelayMs(++g_app.trayTries), nullptr);
        return;
    }
    StopWaitingForTray();
    if (!firstAdd) return;  // the icon comes back with Explorer's next new taskbar
    FailTrayStart();
    PostQuitMessage(1);
}

void RestoreTrayIcon() {
    if (WaitingForTray() || !TrayIconShown()) return;
    if (!g_app.tray->AddAgain()) StartWaitingForTray(false);
}

void ReleaseTray() {
    if (!g_app.tray) return;
    g_app.tray->Remove();
    g_app.tray.reset();
}

void ExitApplication() {
    // A menu's modal loop may swallow the quit (Wine's does), so no menu may
    // be open when it is posted. EndMenu does nothing when none is.
    EndMenu();
    if (g_app.selectorWindow && IsWindow(g_app.selectorWindow)) DestroyWindow(g_app.selectorWindow);
    g_app.selectorWindow = nullptr;
    CloseShortcutsWindow();
    // Called from the tray's own handler: the caller holds a copy of it, so
    // destroying the TrayIcon here is safe.
    ReleaseTray();
    UnregisterHotKey(g_app.mainWindow, kHotkeyToggleHidden);
    UnregisterHotKey(g_app.mainWindow, kHotkeyToggleExtensions);
    PostQuitMessage(0);
}

int RunVeilux(HINSTANCE instance, bool* downloadStillRunning) {
    g_app.instance = instance;
    // The shell may hand a link to a COM-based handler; it asks for an
    // apartment on the calling thread. Without one, links may just not open.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Up for the whole run: the settings window decodes its images with it.
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    // Without it the links stay blank; its shutdown is for a token it gave.
    const bool gdiplusStarted = Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr) == Gdiplus::Ok;

    LoadStartupLanguage();

    StartupContext context;
    context.instance = instance;
    int exitCode = 1;
    if (InitInstance(context)) {
        if (!WaitingForTray()) StartUpdateCheck();
        // Until the quit, whose code is the program's.
        while (PumpMessagesAndWatch(INFINITE, exitCode)) {
        }
    }
    // What the user sees or waits for goes first: the icon, and the guard a new copy needs.
    ReleaseTray();
    ClearRunState();
    if (context.mutex) CloseHandle(context.mutex);
    // A check still under way ends with the process, at once (wWinMain):
    // the helper goes with its job, and its waiting thread holds nothing.
    // Asked once: the thread may end at any moment, and both answers must agree.
    // A dot-folder worker held by a drive that does not answer ends the same way.
    const bool downloadRunning = VersionDownloadRunning() || DotFolderWorkStillRunning();
    if (downloadStillRunning) *downloadStillRunning = downloadRunning;
    if (downloadRunning) return exitCode;
    if (gdiplusStarted) Gdiplus::GdiplusShutdown(gdiplusToken);
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
