#include "update/update_helper.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "app/handles.h"
#include "app/platform_calls.h"
#include "app/web_endpoints.h"
#include "update/update_check.h"

namespace {

// The download inside gives up after about 30 s; this covers it with room
// for the helper's own start on a loaded machine. A helper still running
// then is ended with its job.
constexpr DWORD kHelperLimitMs = 90 * 1000;

// Held from a helper's creation, suspended, until it runs in its job or has
// been ended. A program ending itself meanwhile would leave it suspended for
// ever, outside any job.
SRWLOCK g_helperOutsideJob = SRWLOCK_INIT;

// The longest path Windows has for a file, in characters.
constexpr DWORD kLongestPath = 32768;

// The full path of this program's file, however long; empty when it cannot be had.
std::wstring OwnFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A result as long as the buffer is a cut path: ask again with more room.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);
    }
}

// A job whose last handle, when closed, ends every process in it: the
// helper cannot outlive the program, however the program ends.
UniqueHandle KillOnCloseJob() {
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job) return job;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits)) job.reset();
    return job;
}

}  // namespace

bool IsUpdateHelperCommandLine(const wchar_t* arguments) {
    return arguments && std::wcscmp(arguments, kUpdateHelperSwitch) == 0;
}

unsigned long RunUpdateHelper() {
    const std::wstring localPath = VersionFilePath();
    if (localPath.empty()) return kHelperFailed;
    // urlmon works inside a COM apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const HRESULT result = g_platform.downloadToFile(VersionFileUrl().c_str(), localPath.c_str());
    if (SUCCEEDED(com)) CoUninitialize();
    return SUCCEEDED(result) ? kHelperWroteFile : kHelperFailed;
}

void StopStartingUpdateHelpers() { AcquireSRWLockExclusive(&g_helperOutsideJob); }

unsigned long RunUpdateHelperProcess() {
    // The program's own file by its full path: never one the search path finds.
    const std::wstring program = OwnFilePath();
    if (program.empty()) return kHelperFailed;
    const UniqueHandle job = KillOnCloseJob();
    if (!job) return kHelperFailed;
    // A path holds no quotation mark, so quoting it keeps spaces in it whole.
    std::wstring commandLine = L"\"" + program + L"\" " + kUpdateHelperSwitch;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    AcquireSRWLockExclusive(&g_helperOutsideJob);
    // Suspended until it is in the job, so it never runs outside it; it
    // inherits no handle, so the job's last handle stays this process's.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &created)) {
        ReleaseSRWLockExclusive(&g_helperOutsideJob);
        return kHelperFailed;
    }
    const UniqueHandle process(created.hProcess);
    const UniqueHandle thread(created.hThread);
    const bool running = AssignProcessToJobObject(job.get(), process.get()) != FALSE &&
                         ResumeThread(thread.get()) != static_cast<DWORD>(-1);
    if (!running) TerminateProcess(process.get(), kHelperFailed);
    ReleaseSRWLockExclusive(&g_helperOutsideJob);
    if (!running) return kHelperFailed;
    // From here on the job ends the helper with this process, however it ends.
    if (WaitForSingleObject(process.get(), kHelperLimitMs) != WAIT_OBJECT_0) {
        TerminateJobObject(job.get(), kHelperFailed);
        return kHelperFailed;
    }
    DWORD exitCode = kHelperFailed;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return kHelperFailed;
    return exitCode;
}
