// Entry point of veilux.com, the console twin of veilux.exe: a shell waits
// for it, shows its lines in place and gets its exit code. Started with no
// words, it starts veilux.exe from its own folder and returns at once.
#include <windows.h>

#include <string>

#include "app/command_line.h"

namespace {

// The folder this file really lies in: a package manager may start it
// through a link elsewhere (winget's command alias), where no veilux.exe is.
std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::wstring target(32768, L'\0');
    const DWORD targetLength =
        GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    CloseHandle(file);
    if (targetLength == 0 || targetLength >= target.size()) return path;
    target.resize(targetLength);
    // The answer has the long-path prefix; the program keeps its path as Windows shows it (in the Run entry).
    if (target.starts_with(L"\\\\?\\UNC\\")) return L"\\" + target.substr(7);
    if (target.starts_with(L"\\\\?\\")) return target.substr(4);
    return target;
}

int StartProgramBeside() {
    std::wstring path = OwnPath();
    if (path.empty()) return 1;
    path.replace(path.find_last_of(L'\\') + 1, std::wstring::npos, L"veilux.exe");
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Its own process group and no console: it outlives this one and the window it was typed in.
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | DETACHED_PROCESS, nullptr, nullptr, &startup, &process))
        return 1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace

extern "C" int wmain() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return HasCommandWords() ? RunCommandLine() : StartProgramBeside();
}
