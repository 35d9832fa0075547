#include "app/platform_calls.h"

namespace {

// The shell exports its settings call by ordinal 68 on every version.
void WINAPI GetSetShellSettings(SHELLSTATE* state, DWORD mask, BOOL set) {
    using Function = void(WINAPI*)(SHELLSTATE*, DWORD, BOOL);
    static const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(68))));
    if (function) function(state, mask, set);
}

// The download goes through WinINet's cache, which may hold an answer it
// still judges fresh; that one address is forgotten first, so the server is
// asked every time. Like urlmon, wininet is loaded from System32 only.
void ForgetCachedCopy(LPCWSTR url) {
    using Function = BOOL(WINAPI*)(LPCWSTR);
    static const auto function = []() -> Function {
        HMODULE wininet = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!wininet) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(wininet, "DeleteUrlCacheEntryW")));
    }();
    if (function) function(url);  // no entry is the usual case, not an error
}

// urlmon is not one of the system's known DLLs, so a copy planted beside the
// executable could be found first; it is loaded from System32 only.
HRESULT DownloadToFile(LPCWSTR url, LPCWSTR localPath) {
    using Function = HRESULT(WINAPI*)(LPUNKNOWN, LPCWSTR, LPCWSTR, DWORD, LPVOID);
    static const auto function = []() -> Function {
        HMODULE urlmon = LoadLibraryExW(L"urlmon.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!urlmon) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(urlmon, "URLDownloadToFileW")));
    }();
    if (!function) return E_FAIL;
    ForgetCachedCopy(url);
    return function(nullptr, url, localPath, 0, nullptr);
}

}  // namespace

PlatformCalls DefaultPlatformCalls() {
    return PlatformCalls{
        GetSetShellSettings, SHChangeNotify, Shell_NotifyIconW, ShellExecuteW, MessageBoxW, TrackPopupMenu,
        DownloadToFile,
    };
}

PlatformCalls g_platform = DefaultPlatformCalls();
