// The few system calls that pop up, block, leave the machine or are not
// faithful everywhere, reached through one table so that tests can stand in
// for them. The defaults are the real functions.
#pragma once

#include <windows.h>
#include <shlobj.h>

struct PlatformCalls {
    void(WINAPI* getSetShellSettings)(SHELLSTATE* state, DWORD mask, BOOL set);
    void(WINAPI* changeNotify)(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2);
    BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAW data);
    HINSTANCE(WINAPI* shellExecute)
    (HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show);
    int(WINAPI* messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
    BOOL(WINAPI* trackPopupMenu)(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
    // URLDownloadToFileW, synchronous, with no caller object, bound to about
    // 30 s; called only in the update helper's process.
    HRESULT (*downloadToFile)(LPCWSTR url, LPCWSTR localPath);
    // Runs "veilux.exe --check-update" and returns its exit code once it has ended.
    unsigned long (*runUpdateHelper)();
    // SystemParametersInfoW: Wine reports high contrast off and cannot turn it on.
    BOOL(WINAPI* systemParameters)(UINT action, UINT parameter, PVOID data, UINT winIni);
    // GetTickCount64: the tray icon's patience is counted in minutes, which tests do not wait.
    ULONGLONG(WINAPI* tickCount)();
    // Asks every Explorer window, tab and the desktop to redraw its view, on a
    // thread beside the caller's; returns at once.
    void (*refreshShellViews)();
    // The build number of the running Windows (18362 is Windows 10 1903), 0 when unknown.
    DWORD (*windowsBuild)();
    // uxtheme's SetPreferredAppMode with the mode, then FlushMenuThemes; nothing
    // when System32's uxtheme.dll lacks either (Wine 8's has neither).
    void (*setMenuAppMode)(int mode);
    // RegisterHotKey: Wine ignores MOD_NOREPEAT, so only a recorder can show it is asked for.
    BOOL(WINAPI* registerHotKey)(HWND window, int id, UINT modifiers, UINT key);
    // ToUnicodeEx: Wine has no layout with AltGr, so only a stand-in can type with Ctrl+Alt.
    int(WINAPI* toUnicode)(UINT key, UINT scanCode, const BYTE* keyState, LPWSTR buffer, int size, UINT flags,
                           HKL layout);

    // Starting the update helper in its job: Windows refuses the job in ways
    // no test machine shows (Windows 7, a job that cannot nest).
    BOOL(WINAPI* createProcess)
    (LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
     LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD flags, LPVOID environment, LPCWSTR directory,
     LPSTARTUPINFOW startup, LPPROCESS_INFORMATION created);
    BOOL(WINAPI* assignProcessToJob)(HANDLE job, HANDLE process);
    BOOL(WINAPI* queryJobInformation)
    (HANDLE job, JOBOBJECTINFOCLASS kind, LPVOID information, DWORD size, LPDWORD returned);
    // Drawing at the screen's resolution. A window's DPI: under Wine it is one
    // for every process and never changes, so only a stand-in can move a
    // window to another scale.
    UINT (*windowDpi)(HWND window);
    // The dot-folder worker's disk and device calls. CreateFileW: Wine takes a
    // path over MAX_PATH in any form, so only a recorder shows the long form
    // is asked for. RegisterDeviceNotificationW and its undoing: Wine sends no
    // device events, so tests send them and must know the watched handles.
    HANDLE(WINAPI* createFile)
    (LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
     HANDLE templateFile);
    HDEVNOTIFY(WINAPI* registerDeviceNotification)(HANDLE recipient, LPVOID filter, DWORD flags);
    BOOL(WINAPI* unregisterDeviceNotification)(HDEVNOTIFY notification);
};

extern PlatformCalls g_platform;

// The real functions, as a fresh table.
PlatformCalls DefaultPlatformCalls();
