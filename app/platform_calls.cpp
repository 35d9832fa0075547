#include "app/platform_calls.h"

namespace {

// The shell exports its settings call by ordinal 68 on every version.
void WINAPI GetSetShellSettings(SHELLSTATE* state, DWORD mask, BOOL set) {
    using Function = void(WINAPI*)(SHELLSTATE*, DWORD, BOOL);
    static const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(68))));
    if (function) function(state, mask, set);
}

// A function of a system DLL that is not one of the system's known DLLs: a
// copy planted beside the executable could be found first, so the DLL is
// loaded from System32 only. Null when either cannot be had.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The download goes through WinINet's cache, which may hold an answer it
// still judges fresh; that one address is forgotten first, so the server is
// asked every time.
void ForgetCachedCopy(LPCWSTR url) {
    static const auto function = SystemFunction<BOOL(WINAPI*)(LPCWSTR)>(L"wininet.dll", "DeleteUrlCacheEntryW");
    if (function) function(url);  // no entry is the usual case, not an error
}

HRESULT DownloadToFile(LPCWSTR url, LPCWSTR localPath) {
    using Function = HRESULT(WINAPI*)(LPUNKNOWN, LPCWSTR, LPCWSTR, DWORD, LPVOID);
    static const auto function = SystemFunction<Function>(L"urlmon.dll", "URLDownloadToFileW");
    if (!function) return E_FAIL;
    ForgetCachedCopy(url);
    return function(nullptr, url, localPath, 0, nullptr);
}

}  // namespace

PlatformCalls DefaultPlatformCalls() {
    return PlatformCalls{
        GetSetShellSettings, SHChangeNotify, Shell_NotifyIconW, ShellExecuteW,
        MessageBoxW,         TrackPopupMenu, DownloadToFile,    SystemParametersInfoW,
    };
}

PlatformCalls g_platform = DefaultPlatformCalls();
