#include "app/platform_calls.h"

#include <urlmon.h>

#include "explorer/shell_views.h"
#include "ui/display_scale.h"
#include "update/update_helper.h"

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

// A download may not run longer than this: a server that trickles its answer
// byte by byte would otherwise keep the check going for as long as it likes.
constexpr ULONGLONG kDownloadLimitMs = 30ull * 1000;

// Ends a download that runs past its time. urlmon reports each step and each
// piece of data to OnProgress, and E_ABORT there ends the download as a
// failure. A server that stays silent reports nothing; WinINet's own receive
// time-out ends that one.
class DownloadDeadline final : public IBindStatusCallback {
public:
    DownloadDeadline() : end_(GetTickCount64() + kDownloadLimitMs) {}
    DownloadDeadline(const DownloadDeadline&) = delete;
    DownloadDeadline& operator=(const DownloadDeadline&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    // urlmon may hold a reference until after the download returns, so the
    // object lives on the heap and goes with its last reference.
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override {
        return GetTickCount64() > end_ ? E_ABORT : S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

private:
    ~DownloadDeadline() = default;
    const ULONGLONG end_;
    LONG references_ = 1;
};

HRESULT DownloadToFile(LPCWSTR url, LPCWSTR localPath) {
    using Function = HRESULT(WINAPI*)(LPUNKNOWN, LPCWSTR, LPCWSTR, DWORD, LPBINDSTATUSCALLBACK);
    static const auto function = SystemFunction<Function>(L"urlmon.dll", "URLDownloadToFileW");
    if (!function) return E_FAIL;
    ForgetCachedCopy(url);
    auto* deadline = new DownloadDeadline;
    const HRESULT result = function(nullptr, url, localPath, 0, deadline);
    deadline->Release();
    return result;
}

// From ntdll, which every process has loaded: GetVersionExW reports no newer
// Windows than the program's manifest names, RtlGetVersion the one that runs.
DWORD WindowsBuild() {
    using Function = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    RTL_OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!function || function(&version) != 0) return 0;
    return version.dwBuildNumber;
}

// Exported by ordinal only, SetPreferredAppMode as 135 and FlushMenuThemes as
// 136, from Windows 10 1903 on; looked up at run time, never imported, so a
// Windows without them still starts the program.
void SetMenuAppMode(int mode) {
    static const auto setMode = SystemFunction<int(WINAPI*)(int)>(L"uxtheme.dll", MAKEINTRESOURCEA(135));
    static const auto flush = SystemFunction<void(WINAPI*)()>(L"uxtheme.dll", MAKEINTRESOURCEA(136));
    if (!setMode || !flush) return;  // either one alone is of no use
    setMode(mode);
    // The menu theme is cached per process: without the flush the old colours stay.
    flush();
}

}  // namespace

PlatformCalls DefaultPlatformCalls() {
    return PlatformCalls{
        GetSetShellSettings,
        SHChangeNotify,
        Shell_NotifyIconW,
        ShellExecuteW,
        MessageBoxW,
        TrackPopupMenu,
        DownloadToFile,
        RunUpdateHelperProcess,
        SystemParametersInfoW,
        GetTickCount64,
        RefreshShellViewsBeside,
        WindowsBuild,
        SetMenuAppMode,
        RegisterHotKey,
        ToUnicodeEx,
        // The update helper's start in its job.
        CreateProcessW,
        AssignProcessToJobObject,
        QueryInformationJobObject,
        // Drawing at the screen's resolution.
        DpiOfWindow,
        // The dot-folder worker's.
        CreateFileW,
        RegisterDeviceNotificationW,
        UnregisterDeviceNotification,
    };
}

PlatformCalls g_platform = DefaultPlatformCalls();
