#include "app/platform_calls.h"

namespace {

// The shell exports its settings call by ordinal 68 on every version.
void WINAPI GetSetShellSettings(SHELLSTATE* state, DWORD mask, BOOL set) {
    using Function = void(WINAPI*)(SHELLSTATE*, DWORD, BOOL);
    static const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(68))));
    if (function) function(state, mask, set);
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
    return function(nullptr, url, localPath, 0, nullptr);
}

}  // namespace

PlatformCalls DefaultPlatformCalls() {
    return PlatformCalls{
        GetSetShellSettings, SHChangeNotify, Shell_NotifyIconW, ShellExecuteW,
        MessageBoxW,         TrackPopupMenu, DownloadToFile,
    };
}

PlatformCalls g_platform = DefaultPlatformCalls();
