// The option "Treat dot folders as hidden". While it is on, every folder
// whose name begins with "." directly inside the user's profile, and inside
// each folder listed in "DotFolderPlaces", carries the hidden attribute, so
// that the hidden-files switch shows and hides those folders with everything
// else that is hidden. The program records the folders it marked, each by
// its path and its identity (volume serial number and file id), in a file
// of the user's local application data and, when the option goes off,
// takes the mark from those alone: a folder with another identity at a
// recorded path is never touched. Folders only: a hidden file can break the programs that
// rewrite it (CreateFileW with CREATE_ALWAYS refuses a hidden file unless
// the caller asks for the attribute too).
//
// One worker thread does all the disk work and is the only one that reads or
// writes the record: a slow or unreachable place never holds a press, the
// menu or Exit.
#pragma once

#include <windows.h>
#include <dbt.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/handles.h"

inline constexpr wchar_t kDotFolderPlacesValue[] = L"DotFolderPlaces";
inline constexpr wchar_t kMarkedDotFoldersValue[] = L"MarkedDotFolders";

// Tells a long pass to stop early (the option changed, or the program ends).
using Interrupted = std::function<bool()>;

// The profile folder and the usable places of "DotFolderPlaces", each once.
std::vector<std::wstring> DotFolderPlaces();

// The creation times of the dot folders a pass found, kept by the worker
// from one pass to the next.
using FolderBirths = std::unordered_map<std::wstring, std::uint64_t>;

// One marking pass: hides each dot folder of the places that may be marked
// and records it, but only once the record naming it was written and read
// back, and never while the record cannot be read. Keeps the record's
// entries whose folders are still there, shown again by the user or not,
// moved along when found in another place (a renamed profile); drops the
// rest once their volume answers without them. A folder at a recorded path
// with another identity, or another creation time than the last pass saw,
// is another folder: deleted and made anew, it is hidden again. True when
// it hid a folder.
bool MarkDotFolders(const std::vector<std::wstring>& places, const Interrupted& interrupted, FolderBirths& births);

// Takes the mark from each recorded folder, where it is now, that is still a
// hidden dot folder of the recorded identity and empties the record, but for entries it could not reach now (an
// unreachable drive) or did not come to before an interruption, which a
// later pass finishes. True when it showed a folder again.
bool UnmarkDotFolders(const Interrupted& interrupted);

// Where the record of marks lives: %LOCALAPPDATA%\Veilux\MarkedDotFolders.txt,
// UTF-16 text, one folder a line; empty when Windows names no such folder.
// A record left in the registry's "MarkedDotFolders" by an older version is
// read while there is no file, and moved into it.
std::wstring DotFolderRecordPath();

struct DotFolderWork;

// Owns the worker thread: marking and watching the places while the option
// is on, unmarking when it goes off. The worker posts a message to the
// window after each pass that changed an attribute.
class DotFolderKeeper {
public:
    DotFolderKeeper() = default;
    // Ends the worker: it stops between two folders. A worker held longer
    // (a drive that does not answer) is left to end with the process.
    ~DotFolderKeeper();
    DotFolderKeeper(const DotFolderKeeper&) = delete;
    DotFolderKeeper& operator=(const DotFolderKeeper&) = delete;

    bool Start(HWND window, UINT message, bool hidden);
    // Hands the option's new state to the worker; returns at once.
    void Want(bool hidden);
    // A WM_DEVICECHANGE: a place whose device is about to be removed is let
    // go of before this returns (within 2 s); once the removal ended or
    // failed, or a device came, the places are watched again.
    void DeviceChanged(WPARAM event, const DEV_BROADCAST_HDR* device);

private:
    std::shared_ptr<DotFolderWork> work_;
    UniqueHandle thread_;
};

// At start, once the main window exists: reads the option and, while it is
// on or a record of marks is left from an earlier run, hands it to a worker.
void ResumeDotFolders();
// The menu's command: turns the option on or off, stores it and hands it over.
void ToggleDotFolders();
// The main window's WM_DEVICECHANGE, handed to the worker.
void DotFoldersDeviceChanged(WPARAM event, LPARAM data);
// Whether a worker left running at the end still runs; the process then ends at once.
bool DotFolderWorkStillRunning();
