// The dot-folder marks and their record, on real folders and the real registry. Under Wine the
// prefix must show dot names as Windows does (ShowDotFiles, set by tools/wine/wine-session.sh).
#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "explorer/dot_folder_rule.h"
#include "explorer/dot_folders.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "support/clean_registry.h"
#include "support/program_fixture.h"
#include "support/seam_recorder.h"

namespace {

using Names = std::set<std::wstring>;
const Interrupted kNever = [] { return false; };
const Interrupted kAtOnce = [] { return true; };

class DotFolders : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        place = std::wstring(temp) + L"veilux-dots-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(place.c_str(), nullptr));
        record = DotFolderRecordPath();
        ASSERT_FALSE(record.empty());
        DeleteFileW(record.c_str());
    }
    void TearDown() override {
        DeleteFileW(record.c_str());
        RemoveDirectoryW((record + L".new").c_str());
        made.push_back(L"");  // the place itself, last
        for (const std::wstring& name : made) {
            SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!RemoveDirectoryW(Path(name).c_str())) DeleteFileW(Path(name).c_str());
        }
        CleanRegistryTest::TearDown();
    }

    std::wstring Path(const std::wstring& name) const { return place + L"\\" + name; }
    void MakeFolder(const std::wstring& name, DWORD extraAttributes = 0) {
        made.push_back(name);
        ASSERT_TRUE(CreateDirectoryW(Path(name).c_str(), nullptr));
        // Windows never takes a leading dot for hidden; a Wine prefix without ShowDotFiles does.
        ASSERT_EQ(Attributes(name) & FILE_ATTRIBUTE_HIDDEN, 0u) << "Wine hides dot names: set ShowDotFiles";
        if (extraAttributes) {
            ASSERT_TRUE(SetFileAttributesW(Path(name).c_str(), Attributes(name) | extraAttributes));
        }
    }
    // Read as another program would, by the 64-bit file index that every Windows gives.
    static FolderIdentity Identity(const std::wstring& path) {
        FolderIdentity identity;
        const HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        BY_HANDLE_FILE_INFORMATION information = {};
        EXPECT_TRUE(GetFileInformationByHandle(folder, &information)) << testing::PrintToString(path);
        CloseHandle(folder);
        identity.volume = information.dwVolumeSerialNumber;
        identity.idLow = (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
        return identity;
    }
    DWORD Attributes(const std::wstring& name) const { return GetFileAttributesW(Path(name).c_str()); }
    // The names made here that exist and are hidden; the record's entries, without this place's prefix.
    Names HiddenNames() const {
        Names names;
        for (const std::wstring& name : made)
            if (Attributes(name) != INVALID_FILE_ATTRIBUTES && (Attributes(name) & FILE_ATTRIBUTE_HIDDEN))
                names.insert(name);
        return names;
    }
    // The record file's text, its byte order mark included; empty when there is none.
    std::wstring RecordText() const {
        const HANDLE file =
            CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        std::wstring text(GetFileSize(file, nullptr) / 2, L'\0');
        DWORD read = 0;
        EXPECT_TRUE(text.empty() || ReadFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &read, nullptr));
        CloseHandle(file);
        return text;
    }
    void WriteRecordText(const std::wstring& text) const {
        const HANDLE file = CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr));
        CloseHandle(file);
    }
    std::vector<MarkEntry> RecordEntries() const {
        const std::wstring text = RecordText();
        std::vector<MarkEntry> entries;
        EXPECT_TRUE(text.empty() || (text[0] == 0xFEFF && ParseRecord(std::wstring_view(text).substr(1), entries)));
        return entries;
    }
    Names Recorded() const {
        Names names;
        for (const MarkEntry& entry : RecordEntries())
            names.insert(entry.path.starts_with(place + L"\\") ? entry.path.substr(place.size() + 1) : entry.path);
        return names;
    }

    std::wstring place;
    std::wstring record;
    std::vector<std::wstring> made;
    FolderBirths births;
};

}  // namespace

// Marks only plain visible dot folders, keeping their other attributes; the user's own un-hiding holds;
// vanished folders and garbage leave the record; turning off unmarks exactly the program's marks.
TEST_F(DotFolders, MarksRecordsAndUnmarksOnlyItsOwn) {
    MakeFolder(L".config", FILE_ATTRIBUTE_ARCHIVE);
    MakeFolder(L".ssh");
    MakeFolder(L".gone");
    MakeFolder(L".git", FILE_ATTRIBUTE_HIDDEN);  // hidden before, as Git for Windows leaves it
    MakeFolder(L".sys", FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(L"plain");
    made.push_back(L".npmrc");
    CloseHandle(CreateFileW(Path(L".npmrc").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const DWORD configBefore = Attributes(L".config");
    const BYTE garbage[] = {0x41, 0x00, 0x3A, 0x00, 0x5C};  // a record of "A:" and half a unit
    StoreValue(kSettingsKeyPath, kMarkedDotFoldersValue, REG_MULTI_SZ, garbage, sizeof garbage);
    EXPECT_FALSE(UnmarkDotFolders(kNever));

    EXPECT_FALSE(MarkDotFolders({place}, kAtOnce, births));  // interrupted before it began
    EXPECT_EQ(HiddenNames(), Names{L".git"});
    EXPECT_TRUE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(Attributes(L".config"), configBefore | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(HiddenNames(), (Names{L".config", L".git", L".gone", L".ssh"}));
    EXPECT_EQ(Recorded(), (Names{L".config", L".gone", L".ssh"}));
    EXPECT_FALSE(MarkDotFolders({place}, kNever, births));  // nothing new

    // The user shows .ssh again in its Properties; .gone is deleted; a tool
    // makes .cache, and deletes and makes .config anew before the next pass.
    ASSERT_TRUE(SetFileAttributesW(Path(L".ssh").c_str(), Attributes(L".ssh") & ~FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(RemoveDirectoryW(Path(L".gone").c_str()));
    MakeFolder(L".cache");
    Sleep(20);  // a creation time of its own, whatever the clock's grain
    ASSERT_TRUE(RemoveDirectoryW(Path(L".config").c_str()));
    ASSERT_TRUE(CreateDirectoryW(Path(L".config").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW(Path(L".config").c_str(), configBefore));
    EXPECT_TRUE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(HiddenNames(), (Names{L".cache", L".config", L".git"}));
    EXPECT_EQ(Recorded(), (Names{L".cache", L".config", L".ssh"}));

    // Entries edited in by hand: a folder without a leading dot and the place
    // itself (both hidden by the user), a climb out of a dot folder, garbage.
    ASSERT_TRUE(SetFileAttributesW(Path(L"plain").c_str(), Attributes(L"plain") | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(place.c_str(), GetFileAttributesW(place.c_str()) | FILE_ATTRIBUTE_HIDDEN));
    // Each with the identity of the folder it names, so that only the path's rule keeps them.
    std::vector<MarkEntry> edited = RecordEntries();
    for (const std::wstring& path : {Path(L"plain"), place, Path(L".cache\\..")})
        edited.push_back({path, Identity(path), true});
    WriteRecordText(L"\xFEFF" + FormatRecord(edited));

    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(Attributes(L".config"), configBefore);
    EXPECT_EQ(HiddenNames(), (Names{L".git", L"plain"}));
    EXPECT_NE(GetFileAttributesW(place.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Bad places are skipped without harm, a long one is kept; only a REG_DWORD of 1 turns the option on.
TEST_F(DotFolders, BadValuesAreSkipped) {
    std::vector<std::wstring> expected = DotFolderPlaces();  // the profile, when Windows names one
    // An empty string, a relative path, a missing folder and 12,000 characters, unterminated.
    const std::wstring bad = std::wstring(L"\0relative\0C:\\no-such-folder-here\0C:\\", 36) + std::wstring(12000, L'y');
    StoreValue(kSettingsKeyPath, kDotFolderPlacesValue, REG_MULTI_SZ, bad.data(), static_cast<DWORD>(bad.size() * 2));
    // A place longer than MAX_PATH is used in the long form.
    expected.insert(expected.end(), {L"C:\\no-such-folder-here", L"C:\\" + std::wstring(12000, L'y')});
    EXPECT_EQ(DotFolderPlaces(), expected);
    EXPECT_FALSE(MarkDotFolders({L"C:\\no-such-folder-here", Path(L"missing")}, kNever, births));

    StoreDword(kSettingsKeyPath, L"DotFoldersHidden", 2);
    EXPECT_FALSE(ReadDotFoldersHidden());
    WriteDotFoldersHidden(true);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"DotFoldersHidden"), DWORD{1});
    EXPECT_TRUE(ReadDotFoldersHidden());
}

// A folder put at a recorded path by someone else, and hidden by them, is never shown again; a folder
// whose place was renamed keeps its mark and is shown again from where it is now.
TEST_F(DotFolders, KnowsEachMarkByItsIdentity) {
    MakeFolder(L"a");
    MakeFolder(L"a\\.mine");
    MakeFolder(L"a\\.theirs");
    ASSERT_TRUE(MarkDotFolders({Path(L"a")}, kNever, births));
    // Made beside it and renamed over its path, as a tool's safe save does.
    MakeFolder(L"a\\.new", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(RemoveDirectoryW(Path(L"a\\.theirs").c_str()));
    ASSERT_TRUE(MoveFileW(Path(L"a\\.new").c_str(), Path(L"a\\.theirs").c_str()));
    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(HiddenNames(), Names{L"a\\.theirs"});

    ASSERT_TRUE(MarkDotFolders({Path(L"a")}, kNever, births));
    EXPECT_EQ(Recorded(), Names{L"a\\.mine"});
    made.insert(made.begin(), {L"c\\.mine", L"c\\.theirs", L"c"});  // where they end
    ASSERT_TRUE(MoveFileW(Path(L"a").c_str(), Path(L"b").c_str()));
    EXPECT_FALSE(MarkDotFolders({Path(L"b")}, kNever, births));
    EXPECT_EQ(Recorded(), Names{L"b\\.mine"});
    // Renamed again while the option goes off: found in the places listed now.
    ASSERT_TRUE(MoveFileW(Path(L"b").c_str(), Path(L"c").c_str()));
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kDotFolderPlacesValue, {Path(L"c")}));
    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(HiddenNames(), Names{L"c\\.theirs"});
    EXPECT_TRUE(RecordText().empty());
}

// Nothing is marked unless the record naming it was written; a record that cannot be read is left as it
// is and marks nothing; a record the registry holds from an older version moves into the file.
TEST_F(DotFolders, MarksOnlyWhatTheRecordNames) {
    MakeFolder(L".ssh");
    ASSERT_TRUE(CreateDirectoryW((record + L".new").c_str(), nullptr));  // where the record is written first
    EXPECT_FALSE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(HiddenNames(), Names{});
    ASSERT_TRUE(RemoveDirectoryW((record + L".new").c_str()));

    const std::wstring unreadable = L"\xFEFF"
                                    L"C:\\Users\\me\\.ssh\r\n";  // no identity
    WriteRecordText(unreadable);
    EXPECT_FALSE(MarkDotFolders({place}, kNever, births));
    EXPECT_FALSE(UnmarkDotFolders(kNever));
    EXPECT_EQ(HiddenNames(), Names{});
    EXPECT_EQ(RecordText(), unreadable);
    ASSERT_TRUE(DeleteFileW(record.c_str()));
    StoreString(kSettingsKeyPath, kMarkedDotFoldersValue, Path(L".ssh"));  // a string, not a list
    EXPECT_FALSE(MarkDotFolders({place}, kNever, births));
    EXPECT_TRUE(RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue));

    ASSERT_TRUE(SetFileAttributesW(Path(L".ssh").c_str(), FILE_ATTRIBUTE_HIDDEN));
    // One on a drive that is away stays, to be identified once the drive is back.
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, {Path(L".ssh"), L"Q:\\.away"}));
    EXPECT_FALSE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(Recorded(), (Names{L".ssh", L"Q:\\.away"}));
    EXPECT_EQ(RecordEntries().at(0).identity, Identity(Path(L".ssh")));
    EXPECT_FALSE(RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue));
}

// A place longer than MAX_PATH is reached in the long form, which Windows needs there (Wine does not).
TEST_F(DotFolders, MarksInPlacesOfAnyLength) {
    std::wstring deep;
    for (int level = 0; level < 6; ++level) {
        deep += (level ? L"\\" : L"") + std::wstring(50, static_cast<wchar_t>(L'k' + level));
        MakeFolder(deep);
    }
    MakeFolder(deep + L"\\.long");
    std::reverse(made.begin(), made.end());  // the deepest first
    ASSERT_GT(Path(deep).size(), std::size_t{MAX_PATH});
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kDotFolderPlacesValue, {Path(deep)}));
    EXPECT_EQ(DotFolderPlaces().back(), Path(deep));
    SeamRecorder seam;
    EXPECT_TRUE(MarkDotFolders({Path(deep)}, kNever, births));
    EXPECT_EQ(HiddenNames(), Names{deep + L"\\.long"});
    EXPECT_NE(std::find(seam.openedPaths.begin(), seam.openedPaths.end(), L"\\\\?\\" + Path(deep + L"\\.long")),
              seam.openedPaths.end());
    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(HiddenNames(), Names{});
}

// A listed place on a device about to be removed is let go of before the query is answered, and
// watched again once the removal failed.
TEST_F(DotFolders, LetsGoOfAPlaceForItsDevice) {
    SeamRecorder seam;
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kDotFolderPlacesValue, {place}));
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    // The handle watched on the place, once one is.
    const auto placeWatch = [&] {
        const DiskCallsHeld hold(seam);
        for (HANDLE handle : seam.deviceWatches) {
            wchar_t path[MAX_PATH] = {};
            if (GetFinalPathNameByHandleW(handle, path, MAX_PATH, 0) &&
                std::wstring(path).ends_with(LastComponent(place)))
                return handle;
        }
        return HANDLE{};
    };
    g_app.dotFolders = std::make_unique<DotFolderKeeper>();
    ASSERT_TRUE(g_app.dotFolders->Start(window, WM_APP, true));
    ASSERT_TRUE(PumpUntil([&] { return placeWatch() != nullptr; }));
    DEV_BROADCAST_HANDLE device = {};
    device.dbch_size = sizeof device;
    device.dbch_devicetype = DBT_DEVTYP_HANDLE;
    device.dbch_handle = placeWatch();
    DotFoldersDeviceChanged(DBT_DEVICEQUERYREMOVE, reinterpret_cast<LPARAM>(&device));
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(device.dbch_handle, &flags)) << "the place's handle is still open";
    {
        const DiskCallsHeld hold(seam);
        EXPECT_GE(seam.deviceUnwatches, 1);
        seam.deviceWatches.clear();
    }
    DotFoldersDeviceChanged(DBT_DEVICEQUERYREMOVEFAILED, reinterpret_cast<LPARAM>(&device));
    EXPECT_TRUE(PumpUntil([&] { return placeWatch() != nullptr; }));
    g_app.dotFolders.reset();
    DestroyWindow(window);
}
