// Stand-ins for the calls behind the platform table. A SeamRecorder puts
// recorders in the table for its lifetime and puts the real functions back
// when it goes; tests assert on what the program asked for.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <vector>

struct ShellSettingsCall {
    DWORD mask;
    bool set;
    std::uint32_t firstWord;  // of the record passed in (after the call for a get)
};

struct ChangeNotifyCall {
    LONG eventId;
    UINT flags;
    bool item1Null;
    bool item2Null;
};

struct NotifyIconCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

struct ShellExecuteCall {
    HWND owner;
    std::wstring verb;
    std::wstring file;
    bool parametersNull;
    bool directoryNull;
    INT show;
};

struct MessageBoxCall {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// One item of a popup menu, read back from the real menu handle.
struct MenuItemRead {
    UINT type;  // MFT_* bits
    UINT state;  // MFS_* bits
    UINT id;
    std::wstring text;
};

struct TrackPopupMenuCall {
    UINT flags;
    HWND owner;
    bool rectNull;
    std::vector<MenuItemRead> items;
};

struct DownloadCall {
    std::wstring url;
    std::wstring localPath;
};

struct CreateProcessCall {
    DWORD flags;
    DWORD startupFlags;
    bool inAJob;  // before it could run: after its creation or its assignment
};

class SeamRecorder {
public:
    SeamRecorder();
    ~SeamRecorder();
    SeamRecorder(const SeamRecorder&) = delete;
    SeamRecorder& operator=(const SeamRecorder&) = delete;

    // The shell's live settings as the recorder keeps them: a get copies the
    // masked first word out, a set stores it.
    std::uint32_t shellWord = 0;
    BOOL notifyIconResult = TRUE;
    // What NIM_ADD alone returns: FALSE for a shell that times out but adds the icon.
    BOOL notifyIconAddResult = TRUE;
    int messageBoxResult = IDOK;
    // What a download does: the result, and, when it succeeds, the bytes the
    // file receives.
    HRESULT downloadResult = E_FAIL;
    std::string downloadBody;
    // When not 0: the shell starts taking the icon at this many more NIM_ADDs.
    int acceptAtAdd = 0;
    // The clock the program reads (ms); it moves only when a test moves it.
    ULONGLONG tickCount = 1000;
    // Refreshes of the shell's views asked for.
    int shellViewRefreshes = 0;
    // Posted to the menu's owner as WM_COMMAND when non-zero, as a user's choice would be.
    UINT menuChoice = 0;
    // The theme SPI_GETHIGHCONTRAST reports; other system parameters are the system's.
    bool highContrast = false;
    DWORD windowsBuild = 22631;  // Windows 11 23H2
    // What keys type with AltGr (and Shift, where set); the others type nothing.
    // A negative count is a dead key.
    struct TypedKey {
        UINT key;
        bool shift;
        int count;
        wchar_t character;
    };
    std::vector<TypedKey> altGrKeys;
    // Drawing at the screen's resolution: the DPI every window reports, 0 for
    // the real one.
    UINT dpi = 0;

    // The update helper's start: the process started is the system's
    // cmd.exe, ending at once with 0, or, with helperHangs, never resumed.
    // A Windows before 10 refuses a job list; a surrounding job that cannot
    // nest refuses it and the assignment, unless the process broke away.
    bool jobListRefused = false;
    bool inJobThatCannotNest = false;
    bool breakawayAllowed = false;
    bool helperHangs = false;
    bool brokeAway = false;  // the last process created
    std::vector<CreateProcessCall> createdProcesses;
    std::vector<HANDLE> helpers;  // of the processes started, ended with the recorder
    int assignments = 0;
    HANDLE processStarted = CreateEventW(nullptr, FALSE, FALSE, nullptr);

    std::vector<ShellSettingsCall> shellSettings;
    std::vector<ChangeNotifyCall> changeNotifies;
    std::vector<NotifyIconCall> notifyIcons;
    std::vector<ShellExecuteCall> shellExecutes;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<TrackPopupMenuCall> popupMenus;
    std::vector<DownloadCall> downloads;
    std::vector<int> menuAppModes;  // given to uxtheme's SetPreferredAppMode
    std::vector<UINT> hotkeyModifiers;  // each registered for real as well
    std::vector<UINT> translatedKeys;  // asked of the keyboard layout
    // Every seam call by name, in order.
    std::vector<std::string> order;

    // The dot-folder worker's calls, made on its own thread (each forwarded
    // to the real function): read them holding diskLock.
    SRWLOCK diskLock = SRWLOCK_INIT;
    std::vector<std::wstring> openedPaths;
    std::vector<HANDLE> deviceWatches;  // the handles named to RegisterDeviceNotificationW
    int deviceUnwatches = 0;
};

// Holds a recorder's diskLock for its lifetime.
class DiskCallsHeld {
public:
    explicit DiskCallsHeld(SeamRecorder& recorder) : lock_(&recorder.diskLock) { AcquireSRWLockExclusive(lock_); }
    ~DiskCallsHeld() { ReleaseSRWLockExclusive(lock_); }
    DiskCallsHeld(const DiskCallsHeld&) = delete;
    DiskCallsHeld& operator=(const DiskCallsHeld&) = delete;

private:
    SRWLOCK* lock_;
};

// The recorder in use, or null.
SeamRecorder* ActiveRecorder();

std::vector<MenuItemRead> ReadMenuItems(HMENU menu);
