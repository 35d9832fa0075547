#include "support/seam_recorder.h"

#include <dbt.h>

#include <cstring>

#include "app/platform_calls.h"
#include "ui/display_scale.h"
#include "update/update_helper.h"

namespace {

SeamRecorder* g_recorder = nullptr;

std::wstring OrEmpty(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

void WINAPI RecordShellSettings(SHELLSTATE* state, DWORD mask, BOOL set) {
    std::uint32_t word = 0;
    std::memcpy(&word, state, sizeof word);
    if (set) {
        g_recorder->shellWord = word;
    } else {
        std::memcpy(state, &g_recorder->shellWord, sizeof word);
        word = g_recorder->shellWord;
    }
    g_recorder->shellSettings.push_back({mask, set != FALSE, word});
    g_recorder->order.push_back(set ? "setShellSettings" : "getShellSettings");
}

void WINAPI RecordChangeNotify(LONG eventId, UINT flags, LPCVOID item1, LPCVOID item2) {
    g_recorder->changeNotifies.push_back({eventId, flags, item1 == nullptr, item2 == nullptr});
    g_recorder->order.push_back("changeNotify");
}

BOOL WINAPI RecordNotifyIcon(DWORD message, PNOTIFYICONDATAW data) {
    g_recorder->notifyIcons.push_back({message, *data});
    g_recorder->order.push_back("notifyIcon");
    if (message == NIM_ADD && g_recorder->acceptAtAdd > 0 && --g_recorder->acceptAtAdd == 0)
        g_recorder->notifyIconResult = TRUE;
    if (message == NIM_ADD && !g_recorder->notifyIconAddResult) return FALSE;
    return g_recorder->notifyIconResult;
}

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                    INT show) {
    g_recorder->shellExecutes.push_back(
        {owner, OrEmpty(verb), OrEmpty(file), parameters == nullptr, directory == nullptr, show});
    g_recorder->order.push_back("shellExecute");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

int WINAPI RecordMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    g_recorder->messageBoxes.push_back({owner, OrEmpty(text), OrEmpty(caption), type});
    g_recorder->order.push_back("messageBox");
    return g_recorder->messageBoxResult;
}

BOOL WINAPI RecordTrackPopupMenu(HMENU menu, UINT flags, int, int, int, HWND owner, const RECT* rect) {
    g_recorder->popupMenus.push_back({flags, owner, rect == nullptr, ReadMenuItems(menu)});
    g_recorder->order.push_back("trackPopupMenu");
    if (g_recorder->menuChoice != 0) PostMessageW(owner, WM_COMMAND, g_recorder->menuChoice, 0);
    return TRUE;
}

HRESULT RecordDownload(LPCWSTR url, LPCWSTR localPath) {
    g_recorder->downloads.push_back({OrEmpty(url), OrEmpty(localPath)});
    g_recorder->order.push_back("download");
    if (FAILED(g_recorder->downloadResult)) return g_recorder->downloadResult;
    HANDLE file = CreateFileW(localPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return E_FAIL;
    DWORD written = 0;
    WriteFile(file, g_recorder->downloadBody.data(), static_cast<DWORD>(g_recorder->downloadBody.size()), &written,
              nullptr);
    CloseHandle(file);
    return g_recorder->downloadResult;
}

// As Windows answers: only to a record of the right size.
BOOL WINAPI RecordSystemParameters(UINT action, UINT parameter, PVOID data, UINT winIni) {
    if (action != SPI_GETHIGHCONTRAST) return SystemParametersInfoW(action, parameter, data, winIni);
    auto* contrast = static_cast<HIGHCONTRASTW*>(data);
    if (!contrast || contrast->cbSize != sizeof(HIGHCONTRASTW) || parameter != sizeof(HIGHCONTRASTW)) return FALSE;
    contrast->dwFlags = HCF_AVAILABLE | (g_recorder->highContrast ? HCF_HIGHCONTRASTON : 0);
    contrast->lpszDefaultScheme = nullptr;
    return TRUE;
}

ULONGLONG WINAPI RecordTickCount() { return g_recorder->tickCount; }

void RecordRefreshShellViews() {
    ++g_recorder->shellViewRefreshes;
    g_recorder->order.push_back("refreshShellViews");
}

DWORD RecordWindowsBuild() { return g_recorder->windowsBuild; }

void RecordMenuAppMode(int mode) { g_recorder->menuAppModes.push_back(mode); }

BOOL WINAPI RecordRegisterHotKey(HWND window, int id, UINT modifiers, UINT key) {
    g_recorder->hotkeyModifiers.push_back(modifiers);
    return RegisterHotKey(window, id, modifiers, key);
}

// A layout whose Ctrl+Alt is AltGr, as German or Polish are (Wine has none).
// It answers only a question that leaves its state alone (flag 0x4).
int WINAPI TranslateKey(UINT key, UINT, const BYTE* state, LPWSTR buffer, int size, UINT flags, HKL) {
    g_recorder->translatedKeys.push_back(key);
    const bool altGr = (state[VK_CONTROL] & 0x80) && (state[VK_MENU] & 0x80), shift = (state[VK_SHIFT] & 0x80) != 0;
    for (const auto& typed : g_recorder->altGrKeys) {
        if (typed.key != key || !altGr || typed.shift != shift || !(flags & 0x4) || size < 1) continue;
        buffer[0] = typed.character;
        return typed.count;
    }
    return 0;
}

void NoteJob(HANDLE process) {
    BOOL inAJob = FALSE;
    IsProcessInJob(process, nullptr, &inAJob);
    g_recorder->createdProcesses.back().inAJob = inAJob != FALSE;
}

BOOL WINAPI RecordCreateProcess(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD flags,
                                LPVOID, LPCWSTR, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION created) {
    SeamRecorder& seam = *g_recorder;
    seam.createdProcesses.push_back({flags, startup->dwFlags, false});
    seam.brokeAway = seam.breakawayAllowed && (flags & CREATE_BREAKAWAY_FROM_JOB);
    if ((flags & EXTENDED_STARTUPINFO_PRESENT) &&
        (seam.jobListRefused || (seam.inJobThatCannotNest && !seam.brokeAway)))
        return FALSE;
    wchar_t cmd[MAX_PATH + 16] = {};
    GetSystemDirectoryW(cmd, MAX_PATH);
    wchar_t line[] = L"cmd.exe /c exit 0";
    const DWORD realFlags = (flags & ~CREATE_BREAKAWAY_FROM_JOB) | (seam.helperHangs ? CREATE_SUSPENDED : 0);
    if (!CreateProcessW((std::wstring(cmd) + L"\\cmd.exe").c_str(), line, nullptr, nullptr, FALSE, realFlags, nullptr,
                        nullptr, startup, created))
        return FALSE;
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), created->hProcess, GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    seam.helpers.push_back(copy);
    NoteJob(created->hProcess);
    SetEvent(seam.processStarted);
    return TRUE;
}

BOOL WINAPI RecordAssignProcessToJob(HANDLE job, HANDLE process) {
    ++g_recorder->assignments;
    if (g_recorder->inJobThatCannotNest && !g_recorder->brokeAway) return FALSE;
    if (!AssignProcessToJobObject(job, process)) return FALSE;
    NoteJob(process);
    return TRUE;
}

// The recorder's surrounding job, when it has one, for a question about this process's own.
BOOL WINAPI RecordQueryJobInformation(HANDLE job, JOBOBJECTINFOCLASS kind, LPVOID information, DWORD size,
                                      LPDWORD returned) {
    if (job || !g_recorder->inJobThatCannotNest || kind != JobObjectBasicLimitInformation)
        return QueryInformationJobObject(job, kind, information, size, returned);
    *static_cast<JOBOBJECT_BASIC_LIMIT_INFORMATION*>(information) = {};
    static_cast<JOBOBJECT_BASIC_LIMIT_INFORMATION*>(information)->LimitFlags =
        g_recorder->breakawayAllowed ? JOB_OBJECT_LIMIT_BREAKAWAY_OK : 0;
    return TRUE;
}

// Drawing at the screen's resolution.
UINT RecordWindowDpi(HWND window) { return g_recorder->dpi ? g_recorder->dpi : DpiOfWindow(window); }

// The dot-folder worker's disk and device calls.
HANDLE WINAPI RecordCreateFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile) {
    {
        const DiskCallsHeld hold(*g_recorder);
        g_recorder->openedPaths.emplace_back(path);
    }
    return CreateFileW(path, access, share, security, disposition, flags, templateFile);
}

HDEVNOTIFY WINAPI RecordWatchDevice(HANDLE recipient, LPVOID filter, DWORD flags) {
    const auto* header = static_cast<const DEV_BROADCAST_HDR*>(filter);
    if (header->dbch_devicetype == DBT_DEVTYP_HANDLE) {
        const DiskCallsHeld hold(*g_recorder);
        g_recorder->deviceWatches.push_back(static_cast<const DEV_BROADCAST_HANDLE*>(filter)->dbch_handle);
    }
    return RegisterDeviceNotificationW(recipient, filter, flags);
}

BOOL WINAPI RecordUnwatch(HDEVNOTIFY notification) {
    {
        const DiskCallsHeld hold(*g_recorder);
        ++g_recorder->deviceUnwatches;
    }
    return UnregisterDeviceNotification(notification);
}

}  // namespace

SeamRecorder::SeamRecorder() {
    g_recorder = this;
    // Every call the program makes through the table, one recorder a line.
    g_platform.getSetShellSettings = RecordShellSettings;
    g_platform.changeNotify = RecordChangeNotify;
    g_platform.notifyIcon = RecordNotifyIcon;
    g_platform.shellExecute = RecordShellExecute;
    g_platform.messageBox = RecordMessageBox;
    g_platform.trackPopupMenu = RecordTrackPopupMenu;
    g_platform.downloadToFile = RecordDownload;
    // The update helper runs inside the test process: its download is the recorded one.
    g_platform.runUpdateHelper = RunUpdateHelper;
    g_platform.systemParameters = RecordSystemParameters;
    g_platform.tickCount = RecordTickCount;
    g_platform.refreshShellViews = RecordRefreshShellViews;
    g_platform.windowsBuild = RecordWindowsBuild;
    g_platform.setMenuAppMode = RecordMenuAppMode;
    g_platform.registerHotKey = RecordRegisterHotKey;
    g_platform.toUnicode = TranslateKey;
    g_platform.createProcess = RecordCreateProcess;
    g_platform.assignProcessToJob = RecordAssignProcessToJob;
    g_platform.queryJobInformation = RecordQueryJobInformation;
    g_platform.windowDpi = RecordWindowDpi;
    g_platform.createFile = RecordCreateFile;
    g_platform.registerDeviceNotification = RecordWatchDevice;
    g_platform.unregisterDeviceNotification = RecordUnwatch;
}

SeamRecorder::~SeamRecorder() {
    for (HANDLE helper : helpers) {
        TerminateProcess(helper, 1);
        CloseHandle(helper);
    }
    CloseHandle(processStarted);
    g_platform = DefaultPlatformCalls();
    g_recorder = nullptr;
}

SeamRecorder* ActiveRecorder() { return g_recorder; }

std::vector<MenuItemRead> ReadMenuItems(HMENU menu) {
    std::vector<MenuItemRead> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        items.push_back({info.fType, info.fState, info.wID, text});
    }
    return items;
}
