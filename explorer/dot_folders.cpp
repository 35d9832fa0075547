#include "explorer/dot_folders.h"

#include <windows.h>
#include <dbt.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <iterator>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
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
    // Device events, handed over by the window's thread.
    UniqueHandle released;  // auto-reset: the worker let go of the places asked for
    SRWLOCK lock = SRWLOCK_INIT;
    std::vector<HANDLE> toRelease;  // under lock
    bool watchAgain = false;  // under lock
};

namespace {

// A burst of new folders (an unpacked archive, a tool's first run) is let
// settle this long before the next pass.
constexpr DWORD kSettleMs = 100;
// How long the end of the program waits for the worker to stop between two folders.
constexpr DWORD kEndWaitMs = 500;
// How long a device's removal waits for the worker to let go of its place.
constexpr DWORD kReleaseWaitMs = 2000;
// One wait takes the wake event and a change notification for each place.
constexpr std::size_t kMostPlaces = MAXIMUM_WAIT_OBJECTS - 1;
// The longest path the file API takes in its long form, less that form's prefix.
constexpr std::size_t kLongestPlace = 32767 - 8;
// Far beyond any list of places a person writes; a 12,000-character entry still fits, and is skipped.
constexpr DWORD kMostPlacesBytes = 64 * 1024;
// About 200,000 folders' entries.
constexpr DWORD kMostRecordBytes = 32 * 1024 * 1024;
constexpr wchar_t kByteOrderMark = 0xFEFF;
// FileIdInfo of FILE_INFO_BY_HANDLE_CLASS, from Windows 8 on, and its
// result; named here, as the headers name them only for Windows 8 builds.
constexpr int kFileIdInfoClass = 18;
struct FileIdResult {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};
// The 128-bit ids of a folder's entries, the very ids FileIdInfo gives,
// from Windows 8 on: FileIdExtdDirectoryInfo and its restart, and their
// record, named here for the same reason.
constexpr int kExtdListClass = 19;
constexpr int kExtdListRestartClass = 20;
struct ExtdDirectoryEntry {
    ULONG nextEntryOffset;
    ULONG fileIndex;  // cppcheck-suppress unusedStructMember
    LARGE_INTEGER creationTime, lastAccessTime, lastWriteTime, changeTime, endOfFile, allocationSize;
    ULONG fileAttributes;
    ULONG fileNameLength;
    ULONG eaSize;  // cppcheck-suppress unusedStructMember
    ULONG reparsePointTag;  // cppcheck-suppress unusedStructMember
    BYTE fileId[16];
    WCHAR fileName[1];
};
// Room for some hundred entries a call.
constexpr DWORD kListBufferBytes = 64 * 1024;

struct DeviceNotificationCloser {
    void operator()(HDEVNOTIFY notification) const { g_platform.unregisterDeviceNotification(notification); }
};
using UniqueDeviceNotification = std::unique_ptr<void, DeviceNotificationCloser>;

// ---- The record ----

// An entry of the older record, which named paths alone in the registry.
MarkEntry PathOnly(std::wstring path) {
    MarkEntry entry;
    entry.path = std::move(path);
    return entry;
}

bool ReadWholeFile(const std::wstring& path, std::wstring& text, bool& missing) {
    missing = false;
    const HANDLE file = CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    const UniqueHandle owned(file);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kMostRecordBytes || size.QuadPart % sizeof(wchar_t) != 0)
        return false;
    text.assign(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    return (bytes == 0 || ReadFile(file, text.data(), bytes, &read, nullptr)) && read == bytes;
}

// False when the record is there and cannot be read: then it is neither
// used nor written over. No file: the older record in the registry, if any.
bool ReadRecord(std::vector<MarkEntry>& entries) {
    entries.clear();
    std::wstring text;
    bool missing = false;
    if (ReadWholeFile(DotFolderRecordPath(), text, missing)) {
        if (text.empty() || text.front() != kByteOrderMark) return false;
        return ParseRecord(std::wstring_view(text).substr(1), entries);
    }
    if (!missing || DotFolderRecordPath().empty()) return false;
    std::vector<std::wstring> paths;
    if (!ReadRegistryStringsIfAny(kSettingsKeyPath, kMarkedDotFoldersValue, kMostRecordBytes, paths)) return false;
    std::transform(paths.begin(), paths.end(), std::back_inserter(entries),
                   [](std::wstring& path) { return PathOnly(std::move(path)); });
    return true;
}

// Written beside the record, flushed to the disk and renamed over it, then
// read back: true only when the record now names exactly these entries.
// An older record in the registry goes once the file holds its entries.
bool WriteRecord(const std::vector<MarkEntry>& entries) {
    const std::wstring path = DotFolderRecordPath();
    if (path.empty()) return false;
    if (entries.empty()) {
        if (!DeleteFileW(LongPathForm(path).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
            GetLastError() != ERROR_PATH_NOT_FOUND)
            return false;
    } else {
        CreateDirectoryW(LongPathForm(std::wstring(ParentPath(path))).c_str(), nullptr);  // there already, mostly
        const std::wstring temporary = LongPathForm(path + L".new");
        const std::wstring text = kByteOrderMark + FormatRecord(entries);
        const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        DWORD written = 0;
        {
            const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) return false;
            const UniqueHandle owned(file);
            if (!WriteFile(file, text.data(), bytes, &written, nullptr) || written != bytes || !FlushFileBuffers(file))
                return false;
        }
        if (!MoveFileExW(temporary.c_str(), LongPathForm(path).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
    }
    std::vector<MarkEntry> check;
    std::wstring text;
    bool missing = false;
    if (entries.empty() ? ReadWholeFile(path, text, missing) || !missing : !ReadRecord(check) || check != entries)
        return false;
    DeleteRegistryValue(kSettingsKeyPath, kMarkedDotFoldersValue);
    return true;
}

// ---- Folders and their identity ----

// A folder or file as its handle tells it.
struct FolderLook {
    FolderIdentity identity;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    std::uint64_t born = 0;  // the creation time
};

// Opens the folder itself, never what a junction or link points to; with
// the right to change its attributes when asked and granted.
UniqueHandle OpenFolder(const std::wstring& path, bool toChange) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    const std::wstring longPath = LongPathForm(path);
    HANDLE folder = INVALID_HANDLE_VALUE;
    if (toChange)
        folder = g_platform.createFile(longPath.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, share, nullptr,
                                       OPEN_EXISTING, flags, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        folder = g_platform.createFile(longPath.c_str(), FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, flags,
                                       nullptr);
    return UniqueHandle(folder == INVALID_HANDLE_VALUE ? nullptr : folder);
}

// The 128-bit id from Windows 8 on (ReFS needs all of it); before, the
// 64-bit file index, which NTFS's 128-bit id holds in its low half.
bool LookAt(HANDLE folder, FolderLook& look) {
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(folder, &information)) return false;
    look.attributes = information.dwFileAttributes;
    look.born = (static_cast<std::uint64_t>(information.ftCreationTime.dwHighDateTime) << 32) |
                information.ftCreationTime.dwLowDateTime;
    look.identity.volume = information.dwVolumeSerialNumber;
    look.identity.idLow = (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    look.identity.idHigh = 0;
    FileIdResult id = {};
    if (GetFileInformationByHandleEx(folder, static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileIdInfoClass), &id,
                                     sizeof id)) {
        look.identity.volume = id.volumeSerialNumber;
        std::memcpy(&look.identity.idLow, id.fileId, sizeof look.identity.idLow);
        std::memcpy(&look.identity.idHigh, id.fileId + sizeof look.identity.idLow, sizeof look.identity.idHigh);
    }
    return true;
}

bool LookAtPath(const std::wstring& path, FolderLook& look) {
    const UniqueHandle folder = OpenFolder(path, false);
    return folder && LookAt(folder.get(), look);
}

std::uint64_t Ticks(const LARGE_INTEGER& time) { return static_cast<std::uint64_t>(time.QuadPart); }

// Changes the hidden bit of the folder at the path if it is still the one
// a look just saw (its creation time, read through the handle that sets
// the bit, so that no other folder put at the path meanwhile is changed)
// and the rule allows. Times of 0 stay as they are.
bool SetHidden(const std::wstring& path, std::uint64_t born, bool hidden) {
    const UniqueHandle folder = OpenFolder(path, true);
    FILE_BASIC_INFO basic = {};
    if (!folder || !GetFileInformationByHandleEx(folder.get(), FileBasicInfo, &basic, sizeof basic) ||
        Ticks(basic.CreationTime) != born)
        return false;
    const DWORD now = basic.FileAttributes;
    if (hidden ? !MayMarkHidden(now) : !MayUnmarkHidden(now)) return false;
    FILE_BASIC_INFO change = {};
    change.FileAttributes = hidden ? now | FILE_ATTRIBUTE_HIDDEN : now & ~FILE_ATTRIBUTE_HIDDEN;
    return SetFileInformationByHandle(folder.get(), FileBasicInfo, &change, sizeof change);
}

// Whether the volume the identity names answers at the path's place: the
// nearest folder above it that opens lies on that volume. A drive that is
// away, another stick on the same letter or a mount folder left empty does not.
bool VolumeAnswers(const std::wstring& path, const FolderIdentity& identity) {
    for (std::wstring_view above = ParentPath(path); !above.empty(); above = ParentPath(above)) {
        FolderLook look;
        if (LookAtPath(std::wstring(above), look)) return identity.SameVolume(look.identity.volume);
        if (above.size() <= RootOf(above).size()) break;
    }
    return false;
}

// A path-only entry is gone when its place answers and it is not there, or
// is no folder any more. A drive or share that is away says nothing about it.
bool PathVanished(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongPathForm(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
    return GetFileAttributesW(LongPathForm(RootOf(path)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Calls onEntry for each entry of the folder; false when the folder could
// not be listed to its end.
template <typename OnEntry>
bool ForEachEntry(const std::wstring& place, const OnEntry& onEntry) {
    WIN32_FIND_DATAW entry = {};
    const HANDLE search = FindFirstFileExW(LongPathForm(JoinPath(place, L"*")).c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    // An empty drive root has not even "." and "..".
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    const UniqueFind owned(search);
    do onEntry(entry);
    while (FindNextFileW(search, &entry));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

// ---- Watching the places ----

// A place's change notification, and the handle on the place that a
// device's removal names, so that both can be let go of.
struct PlaceWatch {
    std::wstring place;
    UniqueHandle folder;
    UniqueDeviceNotification device;
    UniqueChangeNotification changes;
};

// Folders made, deleted or renamed directly inside each place; its own
// attribute changes (the marks) are not heard. A place being removed with
// its device is left alone until the removal ends.
std::vector<PlaceWatch> WatchPlaces(const std::vector<std::wstring>& places,
                                    const std::unordered_set<std::wstring>& releasing, HWND window) {
    std::vector<PlaceWatch> watches;
    for (const std::wstring& place : places) {
        if (releasing.contains(place)) continue;
        PlaceWatch watch;
        watch.place = place;
        const HANDLE changes =
            FindFirstChangeNotificationW(LongPathForm(place).c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
        if (changes == INVALID_HANDLE_VALUE) continue;
        watch.changes.reset(changes);
        watch.folder = OpenFolder(place, false);
        if (watch.folder) {
            DEV_BROADCAST_HANDLE filter = {};
            filter.dbch_size = sizeof filter;
            filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
            filter.dbch_handle = watch.folder.get();
            watch.device.reset(g_platform.registerDeviceNotification(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
        }
        watches.push_back(std::move(watch));
    }
    return watches;
}

// What the window's thread asked about devices since the worker last looked.
struct DeviceRequests {
    std::vector<HANDLE> release;
    bool watchAgain = false;
};

DeviceRequests TakeDeviceRequests(DotFolderWork& work) {
    DeviceRequests requests;
    AcquireSRWLockExclusive(&work.lock);
    requests.release.swap(work.toRelease);
    requests.watchAgain = std::exchange(work.watchAgain, false);
    ReleaseSRWLockExclusive(&work.lock);
    return requests;
}

// Lets go of the watches on the handles named, and keeps their places from
// being watched again until the removal ends.
void ReleaseWatches(std::vector<PlaceWatch>& watches, const std::vector<HANDLE>& handles,
                    std::unordered_set<std::wstring>& releasing) {
    std::erase_if(watches, [&](const PlaceWatch& watch) {
        const bool named = watch.folder &&
                           std::find(handles.begin(), handles.end(), watch.folder.get()) != handles.end();
        if (named) releasing.insert(watch.place);
        return named;
    });
}

// Until the option changes, the program ends, a place changes or a device
// came or went; false when the program ends. A place given up to a
// device's removal is let go of here, without a pass.
bool WaitForWork(DotFolderWork& work, std::vector<PlaceWatch>& watches, std::unordered_set<std::wstring>& releasing,
                 bool hiddenAtPass) {
    for (;;) {
        std::vector<HANDLE> handles{work.wake.get()};
        std::transform(watches.begin(), watches.end(), std::back_inserter(handles),
                       [](const PlaceWatch& watch) { return watch.changes.get(); });
        const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        if (woken == WAIT_FAILED) return false;
        if (woken != WAIT_OBJECT_0) {
            WaitForSingleObject(work.wake.get(), kSettleMs);
            break;
        }
        if (work.stopping) return false;
        const DeviceRequests requests = TakeDeviceRequests(work);
        if (!requests.release.empty()) {
            ReleaseWatches(watches, requests.release, releasing);
            SetEvent(work.released.get());
        }
        if (requests.watchAgain) releasing.clear();
        if (requests.watchAgain || requests.release.empty() || work.hidden != hiddenAtPass) break;
    }
    return !work.stopping;
}

DWORD WINAPI WorkerThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<DotFolderWork>> owner(
        static_cast<std::shared_ptr<DotFolderWork>*>(parameter));
    DotFolderWork& work = **owner;
    // The known-folder lookup may use COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::vector<PlaceWatch> watches;
    std::unordered_set<std::wstring> releasing;
    FolderBirths births;
    while (!work.stopping) {
        const bool hidden = work.hidden;
        const Interrupted interrupted = [&work, hidden] { return work.stopping || work.hidden != hidden; };
        bool changed = false;
        if (hidden) {
            const std::vector<std::wstring> places = DotFolderPlaces();
            // Watched before the pass, so that a folder made during it is not missed.
            watches.clear();
            watches = WatchPlaces(places, releasing, work.window);
            changed = MarkDotFolders(places, interrupted, births);
        } else {
            watches.clear();  // nothing is watched while the option is off
            births.clear();
            changed = UnmarkDotFolders(interrupted);
        }
        if (changed) PostMessageW(work.window, work.message, 0, 0);
        if (!WaitForWork(work, watches, releasing, hidden)) break;
    }
    watches.clear();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// ---- One pass ----

// A dot folder a look at the places found.
struct FoundFolder {
    std::wstring path;
    FolderLook look;
};

// What one look at the places found.
struct Survey {
    std::unordered_set<std::wstring> listedPlaces;  // listed to their end
    std::vector<FoundFolder> folders;  // the dot folders there that are no link
    std::unordered_multimap<std::uint64_t, std::size_t> byIdentity;  // folders' indexes
};

std::uint64_t IdentityKey(const FolderIdentity& identity) {
    return identity.idLow ^ (identity.idHigh * 0x9E3779B97F4A7C15u) ^ static_cast<std::uint32_t>(identity.volume);
}

void AddFound(Survey& survey, FoundFolder found) {
    survey.byIdentity.emplace(IdentityKey(found.look.identity), survey.folders.size());
    survey.folders.push_back(std::move(found));
}

// One entry of either listing: its name, attributes, creation time and id.
struct ListedEntry {
    ULONG next;  // bytes to the next entry, 0 after the last
    std::wstring_view name;
    DWORD attributes;
    std::uint64_t born;
    std::uint64_t idLow;
    std::uint64_t idHigh;
};

template <typename Entry>
ListedEntry ReadListed(const BYTE* bytes) {
    const auto* entry = reinterpret_cast<const Entry*>(bytes);
    ListedEntry listed{0, {}, 0, 0, 0, 0};
    if constexpr (std::is_same_v<Entry, ExtdDirectoryEntry>) {
        listed.next = entry->nextEntryOffset;
        listed.name = std::wstring_view(entry->fileName, entry->fileNameLength / sizeof(wchar_t));
        listed.attributes = entry->fileAttributes;
        listed.born = Ticks(entry->creationTime);
        std::memcpy(&listed.idLow, entry->fileId, sizeof listed.idLow);
        std::memcpy(&listed.idHigh, entry->fileId + sizeof listed.idLow, sizeof listed.idHigh);
    } else {
        listed.next = entry->NextEntryOffset;
        listed.name = std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
        listed.attributes = entry->FileAttributes;
        listed.born = Ticks(entry->CreationTime);
        listed.idLow = static_cast<std::uint64_t>(entry->FileId.QuadPart);
    }
    return listed;
}

// Lists the place through one class of GetFileInformationByHandleEx; false
// when the class is not known there (the first call fails at once).
template <typename Entry>
bool ListThrough(HANDLE folder, int restartClass, int nextClass, const std::function<void(const ListedEntry&)>& onEntry,
                 bool& listed) {
    std::vector<std::uint64_t> buffer(kListBufferBytes / sizeof(std::uint64_t));  // 8-byte aligned
    int listClass = restartClass;
    while (GetFileInformationByHandleEx(folder, static_cast<FILE_INFO_BY_HANDLE_CLASS>(listClass), buffer.data(),
                                        kListBufferBytes)) {
        listClass = nextClass;
        const auto* bytes = reinterpret_cast<const BYTE*>(buffer.data());
        for (ULONG offset = 0;;) {
            const ListedEntry entry = ReadListed<Entry>(bytes + offset);
            onEntry(entry);
            if (entry.next == 0) break;
            offset += entry.next;
        }
    }
    const DWORD error = GetLastError();
    // An empty drive root has not even "." and "..".
    listed = error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND;
    return listClass != restartClass || listed;
}

// The dot folders of the place with their ids, from the listing itself, so
// that no folder is opened: the 128-bit ids FileIdInfo gives from Windows 8
// on, else the 64-bit ones GetFileInformationByHandle gives (Windows 7;
// Wine). False when the place cannot be listed so; listed says whether it
// was listed to its end.
bool ListWithIds(const std::wstring& place, Survey& survey, bool& listed) {
    listed = false;
    const std::wstring longPlace = LongPathForm(place);
    const HANDLE opened = g_platform.createFile(longPlace.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const UniqueHandle folder(opened);
    FolderLook placeLook;
    if (!LookAt(folder.get(), placeLook)) return false;
    const auto onEntry = [&](const ListedEntry& entry) {
        if (!IsDotFolderName(entry.name) || (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            return;
        FoundFolder found{JoinPath(place, entry.name), {}};
        found.look.identity = {placeLook.identity.volume, entry.idLow, entry.idHigh};
        found.look.attributes = entry.attributes;
        found.look.born = entry.born;
        AddFound(survey, std::move(found));
    };
    return ListThrough<ExtdDirectoryEntry>(folder.get(), kExtdListRestartClass, kExtdListClass, onEntry, listed) ||
           ListThrough<FILE_ID_BOTH_DIR_INFO>(folder.get(), FileIdBothDirectoryRestartInfo, FileIdBothDirectoryInfo,
                                              onEntry, listed);
}

// False when interrupted.
bool SurveyPlaces(const std::vector<std::wstring>& places, const Interrupted& interrupted, Survey& survey) {
    for (const std::wstring& place : places) {
        if (interrupted()) return false;
        bool listed = false;
        // Else each folder found is opened for its identity.
        if (!ListWithIds(place, survey, listed))
            listed = ForEachEntry(place, [&](const WIN32_FIND_DATAW& entry) {
                if (!IsDotFolderName(entry.cFileName) || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
                    (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
                    return;
                FoundFolder found{JoinPath(place, entry.cFileName), {}};
                if (LookAtPath(found.path, found.look)) AddFound(survey, std::move(found));
            });
        if (listed) survey.listedPlaces.insert(place);
    }
    return true;
}

// The entry's folder: of its identity and, where the last pass saw the
// entry's folder, of the creation time it had. A file system that gives a
// new folder the id of one deleted (as Linux's do, under Wine) still tells
// the two apart then; a folder moved keeps its creation time.
bool IsEntrysFolder(const MarkEntry& entry, const FolderLook& look, const FolderBirths& lastBirths) {
    if (!(look.identity == entry.identity)) return false;
    const auto last = lastBirths.find(entry.path);
    return last == lastBirths.end() || last->second == look.born;
}

// Where the entry's folder is now: at its path, or (a place renamed, the
// profile moved) found elsewhere in the places. Null when it is not found.
const FoundFolder* Locate(const MarkEntry& entry, const Survey& survey, const FolderBirths& lastBirths,
                          FoundFolder& atPath) {
    const auto [first, last] = survey.byIdentity.equal_range(IdentityKey(entry.identity));
    for (auto match = first; match != last; ++match)
        if (IsEntrysFolder(entry, survey.folders[match->second].look, lastBirths))
            return &survey.folders[match->second];
    atPath.path = entry.path;
    if (LookAtPath(entry.path, atPath.look) && IsEntrysFolder(entry, atPath.look, lastBirths)) return &atPath;
    return nullptr;
}

// The record's entries whose folders are still there, each at its
// folder's path now, and the found folders that are no entry's.
std::vector<MarkEntry> EntriesStillThere(const std::vector<MarkEntry>& record, const Survey& survey,
                                         const FolderBirths& lastBirths,
                                         std::unordered_set<std::wstring>& recordedPaths) {
    std::vector<MarkEntry> kept;
    for (const MarkEntry& entry : record) {
        if (!MayUnmarkPath(entry.path)) continue;  // garbage, or a hand-made entry the program would never touch
        if (!entry.identified) {
            // From the older record: the folder at the path, if any, is taken for the one marked.
            FolderLook look;
            if (LookAtPath(entry.path, look) && (look.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (look.attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                kept.push_back({entry.path, look.identity, true});
                recordedPaths.insert(entry.path);
            } else if (!PathVanished(entry.path)) {
                kept.push_back(entry);
            }
            continue;
        }
        FoundFolder atPath;
        if (const FoundFolder* found = Locate(entry, survey, lastBirths, atPath)) {
            kept.push_back({found->path, entry.identity, true});
            recordedPaths.insert(found->path);
        } else if (!VolumeAnswers(entry.path, entry.identity)) {
            kept.push_back(entry);  // its volume is away: it may come back
        }
    }
    return kept;
}

// Only the hidden bit is added to what the folder has now. A place that
// refuses (a share, access denied, a file system without the attribute) is
// passed over.
bool MarkHidden(const FoundFolder& folder) { return SetHidden(folder.path, folder.look.born, true); }

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
    std::vector<MarkEntry> record;
    if (!ReadRecord(record)) return false;  // nothing is marked that no record could name
    Survey survey;
    if (!SurveyPlaces(places, interrupted, survey)) return false;
    std::unordered_set<std::wstring> recordedPaths;
    const std::vector<MarkEntry> kept = EntriesStillThere(record, survey, births, recordedPaths);
    births.clear();
    for (const FoundFolder& found : survey.folders) births.emplace(found.path, found.look.born);
    // A recorded folder found visible was shown again by the user and stays so.
    std::vector<const FoundFolder*> candidates;
    for (const FoundFolder& found : survey.folders)
        if (!recordedPaths.contains(found.path) && MayMarkHidden(found.look.attributes)) candidates.push_back(&found);
    // Recorded before they are marked, and only once the record reads back
    // as written: should the process end midway, the record names some
    // folders still visible, which then stay so, rather than leave hidden
    // folders no record names.
    std::vector<MarkEntry> marked = kept;
    if (!candidates.empty()) {
        std::transform(candidates.begin(), candidates.end(), std::back_inserter(marked), [](const FoundFolder* found) {
            return MarkEntry{found->path, found->look.identity, true};
        });
        if (!WriteRecord(marked)) return false;
        marked.resize(kept.size());
    }
    bool changed = false;
    for (const FoundFolder* found : candidates) {
        if (interrupted()) break;
        if (!MarkHidden(*found)) continue;
        marked.push_back({found->path, found->look.identity, true});
        changed = true;
    }
    if (marked != record || std::any_of(record.begin(), record.end(), [](const MarkEntry& entry) {
            return !entry.identified;  // an older record is moved into the file
        }))
        WriteRecord(marked);
    return changed;
}

namespace {

// Takes the mark from the entry's folder if it is still the one recorded,
// still hidden and no link; false when it changed nothing. left is set
// when the entry must stay: its folder could not be reached now.
bool UnmarkEntry(const MarkEntry& entry, const Survey& survey, bool& left) {
    left = false;
    FoundFolder atPath;
    const FoundFolder* found = nullptr;
    if (entry.identified) {
        found = Locate(entry, survey, {}, atPath);
    } else if (LookAtPath(entry.path, atPath.look)) {
        atPath.path = entry.path;  // from the older record: whatever folder is at the path
        found = &atPath;
    }
    if (!found) {
        left = entry.identified ? !VolumeAnswers(entry.path, entry.identity) : !PathVanished(entry.path);
        return false;
    }
    // Shown again by the user meanwhile, or no longer a plain folder: left as it is.
    return SetHidden(found->path, found->look.born, false);
}

}  // namespace

bool UnmarkDotFolders(const Interrupted& interrupted) {
    std::vector<MarkEntry> record;
    if (!ReadRecord(record)) return false;  // left as it is, for the user to see to
    // Where the recorded folders are now, should a place have been renamed.
    Survey survey;
    if (!record.empty() && !SurveyPlaces(DotFolderPlaces(), interrupted, survey)) return false;
    std::vector<MarkEntry> left;
    bool changed = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (interrupted()) {
            left.insert(left.end(), record.begin() + static_cast<std::ptrdiff_t>(i), record.end());
            break;
        }
        if (!MayUnmarkPath(record[i].path)) continue;
        bool stays = false;
        if (UnmarkEntry(record[i], survey, stays)) changed = true;
        if (stays) left.push_back(record[i]);
    }
    if (left != record ||
        std::any_of(record.begin(), record.end(), [](const MarkEntry& entry) { return !entry.identified; }))
        WriteRecord(left);
    return changed;
}

std::wstring DotFolderRecordPath() {
    PWSTR local = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DONT_VERIFY, nullptr, &local)) && local)
        path = JoinPath(local, L"Veilux\\MarkedDotFolders.txt");
    CoTaskMemFree(local);
    return IsFullPath(path) ? path : std::wstring();
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
    work->released.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!work->wake || !work->released) return false;
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

void DotFolderKeeper::DeviceChanged(WPARAM event, const DEV_BROADCAST_HDR* device) {
    if (!work_) return;
    const bool release = event == DBT_DEVICEQUERYREMOVE && device && device->dbch_devicetype == DBT_DEVTYP_HANDLE;
    const bool watchAgain = event == DBT_DEVICEQUERYREMOVEFAILED || event == DBT_DEVICEREMOVECOMPLETE ||
                            event == DBT_DEVICEARRIVAL;
    if (!release && !watchAgain) return;
    AcquireSRWLockExclusive(&work_->lock);
    if (release) work_->toRelease.push_back(reinterpret_cast<const DEV_BROADCAST_HANDLE*>(device)->dbch_handle);
    if (watchAgain) work_->watchAgain = true;
    ReleaseSRWLockExclusive(&work_->lock);
    SetEvent(work_->wake.get());
    // The removal goes on once this returns: the handle must be closed by then.
    if (release) WaitForSingleObject(work_->released.get(), kReleaseWaitMs);
}

void DotFoldersDeviceChanged(WPARAM event, LPARAM data) {
    if (g_app.dotFolders) g_app.dotFolders->DeviceChanged(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data));
}

void ResumeDotFolders() {
    g_app.dotFoldersHidden = ReadDotFoldersHidden();
    // A record left while the option is off is what an earlier run could not finish unmarking.
    const std::wstring record = DotFolderRecordPath();
    if (g_app.dotFoldersHidden || RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue) ||
        (!record.empty() && GetFileAttributesW(LongPathForm(record).c_str()) != INVALID_FILE_ATTRIBUTES))
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
