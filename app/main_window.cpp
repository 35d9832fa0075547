#include "app/main_window.h"

#include <cwchar>
#include <functional>
#include <memory>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/hotkeys.h"
#include "app/platform_calls.h"
#include "app/startup.h"
#include "app/web_endpoints.h"
#include "explorer/dot_folders.h"
#include "explorer/explorer_control.h"
#include "explorer/explorer_watch.h"
#include "explorer/folder_windows.h"
#include "tray/commands.h"
#include "tray/menu_theme.h"
#include "tray/tray_icon.h"
#include "ui/settings_window.h"
#include "ui/shortcuts_window.h"
#include "update/update_check.h"

namespace {

// Sent to every top-level window when Explorer creates the taskbar anew.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// A handler may destroy the TrayIcon that holds it (Exit does), so a copy
// is invoked and the icon is not touched afterwards.
void RunHandler(std::function<void()> TrayIcon::*member) {
    const std::function<void()> handler = g_app.tray.get()->*member;
    if (handler) handler();
}

void OnCreate(HWND window) {
    g_app.mainWindow = window;
    // A combination owned by another program simply stays without effect.
    RegisterStoredShortcuts();
    // Run elevated, the program would not hear Explorer (at normal integrity)
    // announce a new taskbar; this one message is let through.
    ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    // Without the watch, changes that Explorer announces are still followed.
    auto watch = std::make_unique<ExplorerValuesWatch>();
    if (watch->Start(window, kExplorerValuesChangedMessage)) g_app.explorerWatch = std::move(watch);
    FollowAppModeInMenus();
    ResumeDotFolders();
}

void OnDestroy() {
    ReleaseTray();
    ClearRunState();
    if (g_app.selectorWindow && IsWindow(g_app.selectorWindow)) DestroyWindow(g_app.selectorWindow);
    g_app.selectorWindow = nullptr;
    CloseShortcutsWindow();
    PostQuitMessage(0);
}

void OnCommand(unsigned id) {
    if (TrayIconShown()) {
        switch (id) {
        case IDM_EXIT: RunHandler(&TrayIcon::onExit); return;
        case IDM_TOGGLE_HIDDEN: RunHandler(&TrayIcon::onToggleHidden); return;
        case IDM_TOGGLE_SYSTEM_FILES: RunHandler(&TrayIcon::onToggleSystemFiles); return;
        case IDM_TOGGLE_EXTENSIONS: RunHandler(&TrayIcon::onToggleExtensions); return;
        case IDM_TOGGLE_DOT_FOLDERS: ToggleDotFolders(); return;
        case IDM_USER_GUIDE: OpenUserGuide(); return;
        case IDM_UPDATE_AVAILABLE:
            if (g_app.tray->updateOffered) OpenDownloadPage();
            return;
        default: break;
        }
    }
    // Settings and the shortcuts work even without the icon, so the user can always reach them.
    if (id == IDM_SETTINGS) OpenLanguageSelector();
    if (id == IDM_SHORTCUTS) OpenShortcutsWindow();
}

void OnHotkey(WPARAM id) {
    if (ShortcutsWindowTakesHotkey(static_cast<int>(id))) return;
    if (id == kHotkeyToggleHidden) ToggleHiddenFiles();
    else if (id == kHotkeyToggleExtensions) ToggleExtensions();
}

// Explorer announces a change of its view settings with "ShellState";
// Windows a change of the app mode with "ImmersiveColorSet", and one of high
// contrast with SPI_SETHIGHCONTRAST.
void OnSettingChange(WPARAM parameter, LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    if (area && std::wcscmp(area, L"ShellState") == 0) FollowExplorerValues();
    else if (parameter == SPI_SETHIGHCONTRAST || (area && std::wcscmp(area, L"ImmersiveColorSet") == 0))
        FollowAppModeInMenus();
}

void OnExplorerValuesChanged() {
    if (g_app.explorerWatch) g_app.explorerWatch->Rearm();
    FollowExplorerValues();
}

void OnTrayNotification(LPARAM event) {
    if (!g_app.tray) return;
    switch (event) {
    case WM_RBUTTONUP:
        g_app.tray->ShowContextMenu(g_app.hiddenVisible, g_app.includeSystemFiles, g_app.extensionsVisible,
                                    g_app.dotFoldersHidden);
        break;
    case WM_LBUTTONDBLCLK:
        if (g_app.tray->created) RunHandler(&TrayIcon::onToggleHidden);
        break;
    case NIN_BALLOONUSERCLICK:
        if (!g_app.tray->created) break;
        // The mark, not the balloon, decides: the page opens once per update offer.
        if (g_app.tray->updateClickPending) OpenDownloadPage();
        g_app.tray->updateClickPending = false;
        break;
    default: break;
    }
}

// The version file's download has ended. Its answer counts only while the
// program runs with its icon: a quit may have begun meanwhile.
void OnUpdateCheckDone(WPARAM fileWritten) {
    if (fileWritten && g_app.controller && TrayIconShown()) g_app.controller->OfferUpdate(*g_app.tray);
}

void OnTimer(WPARAM id) {
    if (id == kTrayRetryTimer) RetryTrayIcon(true);
}

// Explorer has made a new taskbar: the one the icon waits for, or a new one
// after Explorer restarted, without which the icon would be gone.
void OnTaskbarCreated() {
    if (WaitingForTray()) RetryTrayIcon(false);
    else RestoreTrayIcon();
}

}  // namespace

void OpenUserGuide() {
    g_platform.shellExecute(nullptr, L"open", UserGuideUrl().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_HOTKEY: OnHotkey(wParam); return 0;
    case WM_TRAYICON: OnTrayNotification(lParam); return 0;
    case WM_SETTINGCHANGE: OnSettingChange(wParam, lParam); return 0;
    case kExplorerValuesChangedMessage: OnExplorerValuesChanged(); return 0;
    case kUpdateCheckDoneMessage: OnUpdateCheckDone(wParam); return 0;
    // Open folder windows redraw after new marks as after a press.
    case kDotFoldersChangedMessage:
        if (g_app.controller) RefreshFolderWindows();
        return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    // A new display scale: the tray's picture is loaded at the new small-icon
    // size. Windows tells the hidden window by WM_DPICHANGED, and by
    // WM_DISPLAYCHANGE where the primary screen's scale changed.
    case WM_DPICHANGED:
    case WM_DISPLAYCHANGE:
        if (TrayIconShown()) g_app.tray->FollowDisplayScale();
        return 0;
    // A command from the command line, handed over by another process.
    case WM_COPYDATA: return AnswerCommandMessage(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    // A listed place on a device being removed is let go of.
    case WM_DEVICECHANGE: DotFoldersDeviceChanged(wParam, lParam); return TRUE;
    default: break;
    }
    if (message == TaskbarCreatedMessage() && message != 0) {
        OnTaskbarCreated();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
