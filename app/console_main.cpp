// Entry point of veilux.com, the console twin of veilux.exe: a shell waits
// for it, shows its lines in place and gets its exit code. Started with no
// words, it starts veilux.exe from its own folder and returns at once.
#include <windows.h>

#include <string>

#include "app/command_line.h"

namespace {

int StartProgramBeside() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    if (length == 0) return 1;
    path.resize(length);
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
