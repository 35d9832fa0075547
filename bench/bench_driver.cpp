// The bench's hands inside the Wine session: it starts veilux.exe and the
// minimal tray program, times them, sends veilux.exe its hotkey, makes the
// same system calls itself for comparison, and reads the program's memory
// and CPU time. Each figure is one tab-separated line on standard output;
// bench/report.py turns them into the table.
//
//   bench_driver starts LABEL WARMUP PAIRS SETTLE_MS VEILUX FLOOR
//       WARMUP + PAIRS rounds of: start veilux.exe and wait until its window
//       answers, close it and wait for its end; the same for the floor.
//       Lines "LABEL ROUND PROGRAM START_MS CLOSE_MS" (rounds below 0 are warm-up).
//   bench_driver footprint PAIRS VEILUX FLOOR
//       PAIRS rounds of: start veilux.exe, wait until its window answers,
//       wait 3 s more, read its memory, close it; the same for the floor.
//       Lines "footprint ROUND PROGRAM COMMIT WORKINGSET" (bytes).
//   bench_driver toggles WARMUP COUNT VEILUX
//       Starts veilux.exe, lets it toggle WARMUP times, reads its memory,
//       then COUNT rounds of one toggle by veilux.exe and the same calls
//       made here, then its memory again; leaves it running.
//       Lines "toggle ROUND VEILUX_MS FLOOR_MS", "memory WHEN PAGEFILE PRIVATE".
//   bench_driver idle SECONDS
//       The CPU time the running veilux.exe uses over SECONDS:
//       "idle SECONDS CPU_MS TOTAL_CPU_MS".
//   bench_driver close
//       Posts WM_CLOSE to the running veilux.exe and waits for its end.
//
// The exit code is 0 when everything was measured, 1 when something did not
// behave (a window never answered, a toggle changed nothing, a program did
// not end or ended with an error), 2 on bad usage: timings never fail it.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "explorer/shell_views.h"

namespace {

constexpr wchar_t kVeiluxClass[] = L"Veilux";
constexpr wchar_t kFloorClass[] = L"VeiluxBenchFloor";
constexpr wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr WPARAM kHotkeyToggleHidden = 1;
constexpr DWORD kHiddenFilesMask = SSF_SHOWALLOBJECTS | SSF_SHOWSUPERHIDDEN;
constexpr DWORD kAnswerTimeoutMs = 30000;

// ---- time and output --------------------------------------------------------

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

void Fail(const char* what) { std::fprintf(stderr, "bench_driver: %s\n", what); }

// ---- a started program ------------------------------------------------------

struct Started {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
};

void Release(Started& started) {
    if (started.process.hThread) CloseHandle(started.process.hThread);
    if (started.process.hProcess) CloseHandle(started.process.hProcess);
    started = Started{};
}

// The top-level window of the class that belongs to the process, if it exists yet.
HWND WindowOf(const wchar_t* className, DWORD processId) {
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

// Starts the program and waits until its window of the class answers a sent
// message; the milliseconds from just before process creation.
bool StartAndWait(const wchar_t* path, const wchar_t* className, Started& started, double& ms) {
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    const double begin = NowMs();
    if (!CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.process)) {
        Fail("could not start a program");
        return false;
    }
    for (;;) {
        started.window = WindowOf(className, started.process.dwProcessId);
        if (started.window) break;
        if (WaitForSingleObject(started.process.hProcess, 1) == WAIT_OBJECT_0) {
            Fail("a program ended before its window appeared");
            return false;
        }
        if (NowMs() - begin > kAnswerTimeoutMs) {
            Fail("no window appeared");
            return false;
        }
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(started.window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result)) {
        Fail("a window did not answer");
        return false;
    }
    ms = NowMs() - begin;
    return true;
}

// Posts WM_CLOSE and waits for the process to end with exit code 0.
bool CloseAndWait(Started& started, double& ms) {
    const double begin = NowMs();
    if (!PostMessageW(started.window, WM_CLOSE, 0, 0)) {
        Fail("could not post WM_CLOSE");
        return false;
    }
    if (WaitForSingleObject(started.process.hProcess, kAnswerTimeoutMs) != WAIT_OBJECT_0) {
        Fail("a program did not end after WM_CLOSE");
        TerminateProcess(started.process.hProcess, 1);
        return false;
    }
    ms = NowMs() - begin;
    DWORD exitCode = 1;
    GetExitCodeProcess(started.process.hProcess, &exitCode);
    if (exitCode != 0) {
        Fail("a program ended with an exit code other than 0");
        return false;
    }
    return true;
}

// One start and close: a line "LABEL ROUND NAME START CLOSE".
bool TimeOneRun(const wchar_t* label, int round, const wchar_t* name, const wchar_t* path, const wchar_t* className,
                DWORD settleMs) {
    Started started;
    double startMs = 0;
    double closeMs = 0;
    bool ok = StartAndWait(path, className, started, startMs);
    // A user closes a program that has settled, not one still starting.
    if (ok) Sleep(settleMs);
    ok = ok && CloseAndWait(started, closeMs);
    if (!ok && started.process.hProcess) TerminateProcess(started.process.hProcess, 1);
    Release(started);
    if (!ok) return false;
    std::printf("%ls\t%d\t%ls\t%.3f\t%.3f\n", label, round, name, startMs, closeMs);
    std::fflush(stdout);
    // Let the notification area finish with the icon that went away.
    Sleep(100);
    return true;
}

// ---- the registry -----------------------------------------------------------

// Opened, written and closed, as the program writes each of Explorer's values.
bool WriteAdvancedDword(const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAdvancedKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

DWORD ReadAdvancedDword(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kAdvancedKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

// "Hidden" is 1 for shown and 2 for not shown.
DWORD HiddenValue(bool shown) { return shown ? 1 : 2; }

// ---- the same calls, made here ----------------------------------------------

// A hidden window of this process with one icon in the notification area:
// what the direct tray calls modify.
struct DirectToggle {
    HWND window = nullptr;
    NOTIFYICONDATAW icon = {};
    HICON pictures[2] = {};
    bool shown = false;
};

bool PrepareDirectToggle(DirectToggle& direct) {
    direct.window = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (!direct.window) return false;
    direct.pictures[0] = LoadIconW(nullptr, IDI_APPLICATION);
    direct.pictures[1] = LoadIconW(nullptr, IDI_INFORMATION);
    direct.icon.cbSize = sizeof direct.icon;
    direct.icon.hWnd = direct.window;
    direct.icon.uID = 1;
    direct.icon.uFlags = NIF_ICON | NIF_TIP;
    direct.icon.hIcon = direct.pictures[0];
    return Shell_NotifyIconW(NIM_ADD, &direct.icon) != FALSE;
}

void ReleaseDirectToggle(DirectToggle& direct) {
    if (direct.window) {
        Shell_NotifyIconW(NIM_DELETE, &direct.icon);
        DestroyWindow(direct.window);
    }
    direct.window = nullptr;
}

// Explorer's Refresh command to the open folder windows and the desktop.
BOOL CALLBACK PostRefreshToFolderWindow(HWND window, LPARAM) {
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) > 0 &&
        (!lstrcmpW(name, L"CabinetWClass") || !lstrcmpW(name, L"ExploreWClass") || !lstrcmpW(name, L"Progman")))
        PostMessageW(window, WM_COMMAND, 41504, 0);
    return TRUE;
}

// One hidden-files toggle as the program makes it: "Hidden" read for what
// Explorer shows now, the shell's settings read and written, the change
// notification, "Hidden" and "ShowSuperHidden" each written with its own
// open and close, the tooltip and the picture, the folder windows told to
// refresh, and every tab and the desktop refreshed through the shell's
// window list on a thread of its own (the program's own code for it).
bool ToggleDirectly(DirectToggle& direct) {
    direct.shown = ReadAdvancedDword(L"Hidden") != HiddenValue(true);
    SHELLSTATE state = {};
    SHGetSetSettings(&state, kHiddenFilesMask, FALSE);
    state.fShowAllObjects = direct.shown;
    SHGetSetSettings(&state, kHiddenFilesMask, TRUE);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    bool ok = WriteAdvancedDword(L"Hidden", HiddenValue(direct.shown));
    ok = WriteAdvancedDword(L"ShowSuperHidden", 0) && ok;  // system files left out, as the program writes it
    lstrcpynW(direct.icon.szTip, direct.shown ? L"Hidden files are shown" : L"Hidden files are hidden",
              ARRAYSIZE(direct.icon.szTip));
    direct.icon.uFlags = NIF_TIP;
    ok = Shell_NotifyIconW(NIM_MODIFY, &direct.icon) && ok;
    direct.icon.hIcon = direct.pictures[direct.shown ? 1 : 0];
    direct.icon.uFlags = NIF_ICON;
    ok = Shell_NotifyIconW(NIM_MODIFY, &direct.icon) && ok;
    EnumWindows(PostRefreshToFolderWindow, 0);
    RefreshShellViewsBeside();
    return ok;
}

// Messages for this thread's window, handled between the timed calls.
void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// ---- veilux.exe's toggle ----------------------------------------------------

// The program's view of the hidden files, which each of its toggles flips.
struct ProgramToggle {
    HWND window = nullptr;
    bool shown = false;
};

// Sends the hotkey and returns once the program has handled it. "Hidden" is
// set to the program's current state first (the direct calls flipped it),
// so that its toggle is a real change in the registry and can be checked.
bool ToggleProgram(ProgramToggle& program, double& ms) {
    if (!WriteAdvancedDword(L"Hidden", HiddenValue(program.shown))) return false;
    DWORD_PTR result = 0;
    const double begin = NowMs();
    if (!SendMessageTimeoutW(program.window, WM_HOTKEY, kHotkeyToggleHidden, MAKELPARAM(MOD_ALT, VK_OEM_PERIOD),
                             SMTO_NORMAL, kAnswerTimeoutMs, &result)) {
        Fail("veilux.exe did not answer its hotkey");
        return false;
    }
    ms = NowMs() - begin;
    program.shown = !program.shown;
    if (ReadAdvancedDword(L"Hidden") != HiddenValue(program.shown)) {
        Fail("the hotkey sent to veilux.exe did not toggle the hidden files");
        return false;
    }
    return true;
}

bool PrintMemory(HANDLE process, const char* when) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        Fail("could not read the memory of veilux.exe");
        return false;
    }
    std::printf("memory\t%s\t%llu\t%llu\n", when, static_cast<unsigned long long>(counters.PagefileUsage),
                static_cast<unsigned long long>(counters.PrivateUsage));
    std::fflush(stdout);
    return true;
}

// Kernel and user time of the process, in milliseconds.
bool CpuMs(HANDLE process, double& ms) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return false;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    ms = static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    return true;
}

// One start, 3 s of rest, one reading of the memory: a line
// "footprint ROUND NAME COMMIT WORKINGSET". This is what the program holds
// all day once its start and its update check are over.
bool MeasureFootprint(int round, const wchar_t* name, const wchar_t* path, const wchar_t* className) {
    Started started;
    double ms = 0;
    bool ok = StartAndWait(path, className, started, ms);
    if (ok) Sleep(3000);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    ok = ok && K32GetProcessMemoryInfo(started.process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                       sizeof counters);
    if (ok)
        std::printf("footprint\t%d\t%ls\t%llu\t%llu\n", round, name,
                    static_cast<unsigned long long>(counters.PagefileUsage),
                    static_cast<unsigned long long>(counters.WorkingSetSize));
    std::fflush(stdout);
    ok = ok && CloseAndWait(started, ms);
    if (!ok && started.process.hProcess) TerminateProcess(started.process.hProcess, 1);
    Release(started);
    Sleep(100);
    return ok;
}

// ---- commands ---------------------------------------------------------------

int CommandFootprint(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const int pairs = _wtoi(argv[0]);
    for (int round = 0; round < pairs; ++round) {
        if (!MeasureFootprint(round, L"veilux", argv[1], kVeiluxClass)) return 1;
        if (!MeasureFootprint(round, L"floor", argv[2], kFloorClass)) return 1;
    }
    return 0;
}

int CommandStarts(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    const wchar_t* label = argv[0];
    const int warmup = _wtoi(argv[1]);
    const int pairs = _wtoi(argv[2]);
    const DWORD settleMs = static_cast<DWORD>(_wtoi(argv[3]));
    if (FindWindowW(kVeiluxClass, nullptr)) {
        Fail("veilux.exe is already running");
        return 1;
    }
    // The two programs in turn, so that both meet the same load on a shared machine.
    for (int round = -warmup; round < pairs; ++round) {
        if (!TimeOneRun(label, round, L"veilux", argv[4], kVeiluxClass, settleMs)) return 1;
        if (!TimeOneRun(label, round, L"floor", argv[5], kFloorClass, settleMs)) return 1;
    }
    return 0;
}

int CommandToggles(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const int warmup = _wtoi(argv[0]);
    const int count = _wtoi(argv[1]);
    if (FindWindowW(kVeiluxClass, nullptr)) {
        Fail("veilux.exe is already running");
        return 1;
    }
    // The program starts with hidden files hidden and system files left out.
    if (!WriteAdvancedDword(L"Hidden", HiddenValue(false)) || !WriteAdvancedDword(L"ShowSuperHidden", 0)) {
        Fail("could not write Explorer's values");
        return 1;
    }
    Started started;
    double ms = 0;
    if (!StartAndWait(argv[2], kVeiluxClass, started, ms)) {
        if (started.process.hProcess) TerminateProcess(started.process.hProcess, 1);
        Release(started);
        return 1;
    }
    DirectToggle direct;
    ProgramToggle program{started.window, false};
    bool ok = PrepareDirectToggle(direct);
    if (!ok) Fail("could not add the bench's own icon");

    for (int i = 0; ok && i < warmup; ++i) ok = ToggleProgram(program, ms);
    // The direct calls warm up too, a tenth as often: they are this process's first uses.
    for (int i = 0; ok && i < warmup / 10; ++i) ok = ToggleDirectly(direct);
    ok = ok && PrintMemory(started.process.hProcess, "warm");

    for (int round = 0; ok && round < count; ++round) {
        double programMs = 0;
        ok = ToggleProgram(program, programMs);
        if (!ok) break;
        const double begin = NowMs();
        ok = ToggleDirectly(direct);
        const double directMs = NowMs() - begin;
        if (!ok) {
            Fail("a direct call failed");
            break;
        }
        PumpMessages();
        std::printf("toggle\t%d\t%.3f\t%.3f\n", round, programMs, directMs);
    }
    std::fflush(stdout);
    ok = ok && PrintMemory(started.process.hProcess, "after");

    ReleaseDirectToggle(direct);
    // Left running for the idle figure; ended here only when something failed.
    if (!ok) TerminateProcess(started.process.hProcess, 1);
    Release(started);
    return ok ? 0 : 1;
}

// The running veilux.exe, opened for its times and its end.
bool OpenRunningProgram(Started& running) {
    running.window = FindWindowW(kVeiluxClass, nullptr);
    if (!running.window) {
        Fail("veilux.exe is not running");
        return false;
    }
    GetWindowThreadProcessId(running.window, &running.process.dwProcessId);
    running.process.hProcess =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, running.process.dwProcessId);
    if (!running.process.hProcess) Fail("could not open veilux.exe");
    return running.process.hProcess != nullptr;
}

int CommandIdle(int argc, wchar_t** argv) {
    if (argc < 1) return 2;
    const int seconds = _wtoi(argv[0]);
    Started running;
    if (!OpenRunningProgram(running)) return 1;
    double before = 0;
    double after = 0;
    bool ok = CpuMs(running.process.hProcess, before);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    ok = ok && CpuMs(running.process.hProcess, after);
    if (!ok) Fail("could not read the CPU time of veilux.exe");
    // After a start and its toggles the program has used CPU time; a
    // reading of none means the counter is not real and neither is the figure.
    if (ok && after <= 0) {
        Fail("the CPU time of veilux.exe reads 0 after its start and toggles");
        ok = false;
    }
    if (ok) std::printf("idle\t%d\t%.3f\t%.3f\n", seconds, after - before, after);
    Release(running);
    return ok ? 0 : 1;
}

int CommandClose(int, wchar_t**) {
    Started running;
    double ms = 0;
    bool ok = OpenRunningProgram(running) && CloseAndWait(running, ms);
    Release(running);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"starts") == 0) return CommandStarts(argc - 2, argv + 2);
    if (argc >= 2 && std::wcscmp(argv[1], L"footprint") == 0) return CommandFootprint(argc - 2, argv + 2);
    if (argc >= 2 && std::wcscmp(argv[1], L"toggles") == 0) return CommandToggles(argc - 2, argv + 2);
    if (argc >= 2 && std::wcscmp(argv[1], L"idle") == 0) return CommandIdle(argc - 2, argv + 2);
    if (argc >= 2 && std::wcscmp(argv[1], L"close") == 0) return CommandClose(argc - 2, argv + 2);
    std::fprintf(stderr, "usage: bench_driver starts LABEL WARMUP PAIRS SETTLE_MS VEILUX FLOOR\n"
                         "       bench_driver footprint PAIRS VEILUX FLOOR\n"
                         "       bench_driver toggles WARMUP COUNT VEILUX\n"
                         "       bench_driver idle SECONDS\n"
                         "       bench_driver close\n");
    return 2;
}
