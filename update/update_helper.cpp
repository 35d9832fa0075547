#include "update/update_helper.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "app/handles.h"
#include "app/platform_calls.h"
#include "app/web_endpoints.h"
#include "update/update_check.h"

namespace {

// The download inside gives up after about 30 s; this covers it with room
// for the helper's own start on a loaded machine. A helper still running
// then is ended.
constexpr DWORD kHelperLimitMs = 90 * 1000;

// Held while a helper is created, so that a program ending itself never
// leaves one outside the job that ends it with this process.
SRWLOCK g_helperStart = SRWLOCK_INIT;
// Both guarded by g_helperStart. The helper that runs in no job of this
// process's, which the program ends itself; and whether the program is
// ending, after which no helper is started that way.
HANDLE g_helperWithoutJob = nullptr;
bool g_helperStartsStopped = false;

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

// PROC_THREAD_ATTRIBUTE_JOB_LIST (attribute number 13, an input), from
// Windows 10 on; the headers name it only for programs that need Windows 10.
constexpr DWORD_PTR kJobListAttribute = ProcThreadAttributeValue(13, FALSE, TRUE, FALSE);

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

// The helper starts with the pointer as it was: without the flag Windows
// shows the working-in-background pointer for seconds at every start.
STARTUPINFOW HelperStartup() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    return startup;
}

// It inherits no handle, so the job's last handle stays this process's.
bool CreateHelper(const std::wstring& program, DWORD flags, STARTUPINFOW& startup, PROCESS_INFORMATION& created) {
    // A path holds no quotation mark, so quoting it keeps spaces in it whole.
    std::wstring commandLine = L"\"" + program + L"\" " + kUpdateHelperSwitch;
    return g_platform.createProcess(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                                    nullptr, &startup, &created) != FALSE;
}

// Created by Windows inside the job, so that it is never outside it, not
// even for a moment. Null where Windows refuses: before Windows 10, or when
// the job cannot be nested in the one this process runs in.
UniqueHandle StartInsideJob(const std::wstring& program, HANDLE job, DWORD flags) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);  // fails, telling the size
    if (size == 0) return {};
    std::vector<unsigned char> room(size);
    const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(room.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return {};
    HANDLE jobs[] = {job};
    STARTUPINFOEXW startup = {};
    startup.StartupInfo = HelperStartup();
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = list;
    PROCESS_INFORMATION created = {};
    const bool started = UpdateProcThreadAttribute(list, 0, kJobListAttribute, jobs, sizeof jobs, nullptr, nullptr) &&
                         CreateHelper(program, flags | EXTENDED_STARTUPINFO_PRESENT, startup.StartupInfo, created);
    DeleteProcThreadAttributeList(list);
    if (!started) return {};
    CloseHandle(created.hThread);
    return UniqueHandle(created.hProcess);
}

// Created suspended, so that it never runs outside the job, then put in it.
// Called with g_helperStart held: a program ending itself meanwhile would
// leave the helper suspended for ever, outside any job.
UniqueHandle StartThenAssign(const std::wstring& program, HANDLE job, DWORD flags) {
    STARTUPINFOW startup = HelperStartup();
    PROCESS_INFORMATION created = {};
    if (!CreateHelper(program, flags | CREATE_SUSPENDED, startup, created)) return {};
    UniqueHandle process(created.hProcess);
    const UniqueHandle thread(created.hThread);
    if (g_platform.assignProcessToJob(job, process.get()) && ResumeThread(thread.get()) != static_cast<DWORD>(-1))
        return process;
    TerminateProcess(process.get(), kHelperFailed);
    return {};
}

// Whether the job this process runs in lets a child leave it. False when
// there is none: then nothing stands in the way of the program's own job.
bool SurroundingJobAllowsBreakaway() {
    JOBOBJECT_BASIC_LIMIT_INFORMATION limits = {};
    // No job handle asks about the job of the calling process.
    if (!g_platform.queryJobInformation(nullptr, JobObjectBasicLimitInformation, &limits, sizeof limits, nullptr))
        return false;
    return (limits.LimitFlags & JOB_OBJECT_LIMIT_BREAKAWAY_OK) != 0;
}

// Starts the helper inside the job where Windows lets it be. Inside the job
// the helper goes with this process however it ends. The job cannot take
// it when this process already runs in a job that cannot nest (Windows 7's
// jobs, a job with limits on the user interface): then, where that job
// allows it, the helper leaves it and goes into the program's own;
// otherwise it runs without a job, marked in g_helperWithoutJob. Null when
// no helper started.
UniqueHandle StartHelper(const std::wstring& program, HANDLE job, bool& inJob) {
    inJob = job != nullptr;
    if (job) {
        for (const DWORD breakaway : {DWORD{0}, DWORD{CREATE_BREAKAWAY_FROM_JOB}}) {
            if (breakaway != 0 && !SurroundingJobAllowsBreakaway()) break;
            // Held even while Windows creates the helper inside its job: Wine
            // does not do that in one step, and a program ending meanwhile has
            // left a helper suspended outside its job (1 start in 20). The
            // close then waits at most for one creation, never for the job.
            const ExclusiveLock starting(g_helperStart);
            if (g_helperStartsStopped) return {};
            if (UniqueHandle process = StartInsideJob(program, job, breakaway)) return process;
            if (UniqueHandle process = StartThenAssign(program, job, breakaway)) return process;
        }
    }
    const ExclusiveLock starting(g_helperStart);
    inJob = false;
    if (g_helperStartsStopped) return {};
    STARTUPINFOW startup = HelperStartup();
    PROCESS_INFORMATION created = {};
    if (!CreateHelper(program, 0, startup, created)) return {};
    CloseHandle(created.hThread);
    g_helperWithoutJob = created.hProcess;
    return UniqueHandle(created.hProcess);
}

// Ends the helper after its time: with its job, or on its own when it has none.
void EndHelper(HANDLE process, HANDLE job, bool inJob) {
    if (inJob) TerminateJobObject(job, kHelperFailed);
    else TerminateProcess(process, kHelperFailed);
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

void StopStartingUpdateHelpers() {
    const ExclusiveLock starting(g_helperStart);
    g_helperStartsStopped = true;
    // One in a job goes with it when this process ends; this one would not.
    if (g_helperWithoutJob) TerminateProcess(g_helperWithoutJob, kHelperFailed);
}

unsigned long RunUpdateHelperProcess() {
    // The program's own file by its full path: never one the search path finds.
    const std::wstring program = OwnFilePath();
    if (program.empty()) return kHelperFailed;
    // Without a job the check still runs; the program then ends the helper itself.
    const UniqueHandle job = KillOnCloseJob();
    bool inJob = false;
    const UniqueHandle process = StartHelper(program, job.get(), inJob);
    if (!process) return kHelperFailed;
    const bool ended = WaitForSingleObject(process.get(), kHelperLimitMs) == WAIT_OBJECT_0;
    if (!ended) EndHelper(process.get(), job.get(), inJob);
    DWORD exitCode = kHelperFailed;
    const bool read = ended && GetExitCodeProcess(process.get(), &exitCode);
    if (!inJob) {
        // Before its handle closes: the program ending must not end a stranger.
        const ExclusiveLock starting(g_helperStart);
        g_helperWithoutJob = nullptr;
    }
    return read ? exitCode : kHelperFailed;
}
