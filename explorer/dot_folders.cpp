#include "explorer/dot_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <unordered_set>
#include <utility>

#include "app/app_state.h"
#include "app/main_window.h"
#include "explorer/dot_folder_rule.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"

// What the worker and the user-interface thread share; each holds a
// reference, so a worker left running at the end never outlives it.
struct DotFolderWork {
    UniqueHandle wake;  // auto-reset: the option changed, or the program ends
    std::atomic<bool> hidden{false};
    std::atomic<bool> stopping{false};
    HWND window = nullptr;
    UINT message = 0;
};

namespace {

// A burst of new folders (an unpacked archive, a tool's first run) is let
// settle this long before the next pass.
constexpr DWORD kSettleMs = 100;
// How long the end of the program waits for the worker to stop between two folders.
constexpr DWORD kEndWaitMs = 500;
// One wait takes the wake event and a change notification for each place.
constexpr std::size_t kMostPlaces = MAXIMUM_WAIT_OBJECTS - 1;
// The program is not long-path aware: a longer place could not be listed.
constexpr std::size_t kLongestPlace = MAX_PATH - 1;
// Far beyond any list of places a person writes; a 12,000-character entry still fits, and is skipped.
constexpr DWORD kMostPlacesBytes = 64 * 1024;
// About 200,000 folders' paths.
constexpr DWORD kMostRecordBytes = 32 * 1024 * 1024;

std::vector<std::wstring> ReadRecord() {
    return ReadRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, kMostRecordBytes);
}

void WriteRecord(const std::vector<std::wstring>& entries) {
    if (entries.empty()) DeleteRegistryValue(kSettingsKeyPath, kMarkedDotFoldersValue);
    else WriteRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, entries);
}

// Calls onEntry for each entry of the folder; false when the folder could
// not be listed to its end.
template <typename OnEntry>
bool ForEachEntry(const std::wstring& place, const OnEntry& onEntry) {
    WIN32_FIND_DATAW entry = {};
    const HANDLE search = FindFirstFileExW(JoinPath(place, L"*").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    // An empty drive root has not even "." and "..".
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    const UniqueFind owned(search);
    do onEntry(entry);
    while (FindNextFileW(search, &entry));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

// A recorded folder is gone when its place answers and it is not there, or
// is no folder any more. A drive or share that is away says nothing about it.
bool Vanished(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    return GetFileAttributesW(RootOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<UniqueChangeNotification> WatchPlaces(const std::vector<std::wstring>& places) {
    std::vector<UniqueChangeNotification> watches;
    for (const std::wstring& place : places) {
        // Folders made, deleted or renamed directly inside the place; its
        // own attribute changes (the marks) are not heard.
        const HANDLE watch = FindFirstChangeNotificationW(place.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
        if (watch != INVALID_HANDLE_VALUE) watches.emplace_back(watch);
    }
    return watches;
}

// Until the option changes, the program ends or a place changes; false when
// the program ends.
bool WaitForWork(DotFolderWork& work, const std::vector<UniqueChangeNotification>& watches) {
    std::vector<HANDLE> handles{work.wake.get()};
    std::transform(watches.begin(), watches.end(), std::back_inserter(handles),
                   [](const UniqueChangeNotification& watch) { return watch.get(); });
    const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    if (woken == WAIT_FAILED) return false;
    if (woken != WAIT_OBJECT_0) WaitForSingleObject(work.wake.get(), kSettleMs);
    return !work.stopping;
}

DWORD WINAPI WorkerThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<DotFolderWork>> owner(
        static_cast<std::shared_ptr<DotFolderWork>*>(parameter));
    DotFolderWork& work = **owner;
    // The known-folder lookup may use COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::vector<UniqueChangeNotification> watches;
    FolderBirths births;
    while (!work.stopping) {
        const bool hidden = work.hidden;
        const Interrupted interrupted = [&work, hidden] { return work.stopping || work.hidden != hidden; };
        bool changed = false;
        if (hidden) {
            const std::vector<std::wstring> places = DotFolderPlaces();
            // Watched before the pass, so that a folder made during it is not missed.
            watches = WatchPlaces(places);
            changed = MarkDotFolders(places, interrupted, births);
        } else {
            watches.clear();  // nothing is watched while the option is off
            births.clear();
            changed = UnmarkDotFolders(interrupted);
        }
        if (changed) PostMessageW(work.window, work.message, 0, 0);
        if (!WaitForWork(work, watches)) break;
    }
    watches.clear();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// What one look at the places found.
struct Survey {
    std::unordered_set<std::wstring> listedPlaces;  // listed to their end
    std::unordered_set<std::wstring> recordedFound;  // recorded entries found there as folders
    std::vector<std::wstring> candidates;  // dot folders there that may be marked
    std::vector<std::wstring> madeAgain;  // recorded folders deleted and made anew since the last pass
    FolderBirths births;
};

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// False when interrupted.
bool SurveyPlaces(const std::vector<std::wstring>& places, const std::vector<std::wstring>& record,
                  const FolderBirths& lastBirths, const Interrupted& interrupted, Survey& survey) {
    const std::unordered_set<std::wstring> recorded(record.begin(), record.end());
    for (const std::wstring& place : places) {
        if (interrupted()) return false;
        const bool listed = ForEachEntry(place, [&](const WIN32_FIND_DATAW& entry) {
            if (!IsDotFolderName(entry.cFileName)) return;
            std::wstring path = JoinPath(place, entry.cFileName);
            const std::uint64_t born = Ticks(entry.ftCreationTime);
            if (recorded.contains(path)) {
                if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return;
                // Found visible, it was shown again by the user and stays so,
                // unless it is not the folder the last pass saw.
                const auto last = lastBirths.find(path);
                if (last != lastBirths.end() && last->second != born && MayMarkHidden(entry.dwFileAttributes))
                    survey.madeAgain.push_back(path);
                survey.births.emplace(path, born);
                survey.recordedFound.insert(std::move(path));
            } else if (MayMarkHidden(entry.dwFileAttributes)) {
                survey.births.emplace(path, born);
                survey.candidates.push_back(std::move(path));
            }
        });
        if (listed) survey.listedPlaces.insert(place);
    }
    return true;
}

// The record's entries whose folders are still there.
std::vector<std::wstring> EntriesStillThere(const std::vector<std::wstring>& record, const Survey& survey) {
    std::vector<std::wstring> kept;
    for (const std::wstring& entry : record) {
        if (!MayUnmarkPath(entry)) continue;  // garbage, or a hand-made entry the program would never touch
        const bool inListedPlace = survey.listedPlaces.contains(std::wstring(ParentPath(entry)));
        if (inListedPlace ? survey.recordedFound.contains(entry) : !Vanished(entry)) kept.push_back(entry);
    }
    return kept;
}

// Read again just before: only the hidden bit is added to what the folder
// has now. A place that refuses (a share, access denied, a file system
// without the attribute) is passed over.
bool MarkHidden(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return MayMarkHidden(attributes) && SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
}

// A worker that did not stop in time at the end.
UniqueHandle g_workerLeft;

void HandDotFoldersOver(bool hidden) {
    if (g_app.dotFolders) {
        g_app.dotFolders->Want(hidden);
        return;
    }
    auto keeper = std::make_unique<DotFolderKeeper>();
    if (keeper->Start(g_app.mainWindow, kDotFoldersChangedMessage, hidden)) g_app.dotFolders = std::move(keeper);
}

}  // namespace

std::vector<std::wstring> DotFolderPlaces() {
    std::vector<std::wstring> listed;
    PWSTR profile = nullptr;
    // The profile's path as recorded, without asking its drive.
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Profile, KF_FLAG_DONT_VERIFY, nullptr, &profile)) && profile)
        listed.emplace_back(profile);
    CoTaskMemFree(profile);  // also after a failure
    std::vector<std::wstring> more = ReadRegistryStrings(kSettingsKeyPath, kDotFolderPlacesValue, kMostPlacesBytes);
    listed.insert(listed.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    std::vector<std::wstring> places = UsablePlaces(listed, kLongestPlace);
    if (places.size() > kMostPlaces) places.resize(kMostPlaces);
    return places;
}

bool MarkDotFolders(const std::vector<std::wstring>& places, const Interrupted& interrupted, FolderBirths& births) {
    const std::vector<std::wstring> record = ReadRecord();
    Survey survey;
    if (!SurveyPlaces(places, record, births, interrupted, survey)) return false;
    births = std::move(survey.births);
    const std::vector<std::wstring> kept = EntriesStillThere(record, survey);
    // Recorded before they are marked: should the process end midway, the
    // record names some folders still visible, which then stay so, rather
    // than leave hidden folders no record names.
    std::vector<std::wstring> marked = kept;
    if (!survey.candidates.empty()) {
        marked.insert(marked.end(), survey.candidates.begin(), survey.candidates.end());
        WriteRecord(marked);
        marked.resize(kept.size());
    }
    bool changed = false;
    for (const std::wstring& path : survey.candidates) {
        if (interrupted()) break;
        if (!MarkHidden(path)) continue;
        marked.push_back(path);
        changed = true;
    }
    for (const std::wstring& path : survey.madeAgain) {
        if (interrupted()) break;
        if (MarkHidden(path)) changed = true;
    }
    if (marked != record) WriteRecord(marked);
    return changed;
}

bool UnmarkDotFolders(const Interrupted& interrupted) {
    const std::vector<std::wstring> record = ReadRecord();
    std::vector<std::wstring> left;
    bool changed = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (interrupted()) {
            left.insert(left.end(), record.begin() + static_cast<std::ptrdiff_t>(i), record.end());
            break;
        }
        const std::wstring& entry = record[i];
        if (!MayUnmarkPath(entry)) continue;
        const DWORD attributes = GetFileAttributesW(entry.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            if (!Vanished(entry)) left.push_back(entry);
            continue;
        }
        // Shown again by the user meanwhile, or no longer a plain folder: left as it is.
        if (MayUnmarkHidden(attributes) && SetFileAttributesW(entry.c_str(), attributes & ~FILE_ATTRIBUTE_HIDDEN))
            changed = true;
    }
    // An empty result also clears a value that could not be read as a list.
    if (left != record || left.empty()) WriteRecord(left);
    return changed;
}

DotFolderKeeper::~DotFolderKeeper() {
    if (!work_) return;
    work_->stopping = true;
    SetEvent(work_->wake.get());
    if (WaitForSingleObject(thread_.get(), kEndWaitMs) == WAIT_TIMEOUT) g_workerLeft = std::move(thread_);
}

bool DotFolderKeeper::Start(HWND window, UINT message, bool hidden) {
    auto work = std::make_shared<DotFolderWork>();
    work->wake.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!work->wake) return false;
    work->window = window;
    work->message = message;
    work->hidden = hidden;
    // The thread's own reference, which it releases when it ends.
    auto reference = std::make_unique<std::shared_ptr<DotFolderWork>>(work);
    const HANDLE thread = CreateThread(nullptr, 0, WorkerThread, reference.get(), 0, nullptr);
    if (!thread) return false;
    static_cast<void>(reference.release());
    thread_.reset(thread);
    work_ = std::move(work);
    return true;
}

void DotFolderKeeper::Want(bool hidden) {
    if (!work_) return;
    work_->hidden = hidden;
    SetEvent(work_->wake.get());
}

void ResumeDotFolders() {
    g_app.dotFoldersHidden = ReadDotFoldersHidden();
    // A record left while the option is off is what an earlier run could not finish unmarking.
    if (g_app.dotFoldersHidden || RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue))
        HandDotFoldersOver(g_app.dotFoldersHidden);
}

void ToggleDotFolders() {
    if (!g_app.controller) return;
    const bool hidden = !g_app.dotFoldersHidden;
    WriteDotFoldersHidden(hidden);
    g_app.dotFoldersHidden = hidden;
    HandDotFoldersOver(hidden);
}

bool DotFolderWorkStillRunning() { return g_workerLeft && WaitForSingleObject(g_workerLeft.get(), 0) == WAIT_TIMEOUT; }
