// A stand-in urlmon.dll for the planting test: placed beside a copy of
// veilux.exe, it leaves a marker file beside itself the moment any process
// loads it. It carries no version record, so that Wine, told to prefer
// native DLLs, loads it as Windows would.
#include <windows.h>

namespace {

void LeaveMarker(HINSTANCE self) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash || (slash - path) + 32 >= MAX_PATH) return;
    lstrcpyW(slash + 1, L"urlmon-loaded.marker");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    wchar_t process[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, process, MAX_PATH);
    DWORD written = 0;
    WriteFile(file, process, static_cast<DWORD>(lstrlenW(process) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
    return TRUE;
}

// Downloads nothing: a program that reached this copy would find no update.
extern "C" __declspec(dllexport) HRESULT WINAPI
    URLDownloadToFileW(LPUNKNOWN, LPCWSTR, LPCWSTR, DWORD, LPBINDSTATUSCALLBACK) {
    return E_FAIL;
}
