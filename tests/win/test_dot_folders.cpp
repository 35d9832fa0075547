// The dot-folder marks and their record, on real folders and the real
// registry. Under Wine the prefix must show dot names as Windows does
// (HKCU\Software\Wine ShowDotFiles = "Y", set by tools/wine/wine-session.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "explorer/dot_folder_rule.h"
#include "explorer/dot_folders.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "support/clean_registry.h"

namespace {

const Interrupted kNever = [] { return false; };

class DotFolders : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        place = std::wstring(temp) + L"veilux-dots-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(place.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::wstring& name : made) {
            const std::wstring path = Path(name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
        }
        RemoveDirectoryW(place.c_str());
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
    DWORD Attributes(const std::wstring& name) const { return GetFileAttributesW(Path(name).c_str()); }
    bool Hidden(const std::wstring& name) const { return (Attributes(name) & FILE_ATTRIBUTE_HIDDEN) != 0; }
    std::vector<std::wstring> Record() const {
        std::vector<std::wstring> entries = ReadRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, 1 << 20);
        std::sort(entries.begin(), entries.end());
        return entries;
    }
    std::vector<std::wstring> Paths(std::vector<std::wstring> names) const {
        for (std::wstring& name : names) name = Path(name);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::wstring place;
    std::vector<std::wstring> made;
    FolderBirths births;
};

}  // namespace

// Marks only plain visible dot folders and keeps their other attributes;
// the user's own un-hiding holds across the next pass; vanished folders
// leave the record; turning off unmarks exactly the program's marks.
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

    EXPECT_FALSE(MarkDotFolders(
        {place}, [] { return true; }, births));  // interrupted before it began
    EXPECT_FALSE(Hidden(L".ssh"));
    EXPECT_TRUE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(Attributes(L".config"), configBefore | FILE_ATTRIBUTE_HIDDEN);
    for (const wchar_t* name : {L".ssh", L".gone", L".git"}) EXPECT_TRUE(Hidden(name)) << name;
    for (const wchar_t* name : {L".sys", L"plain", L".npmrc"}) EXPECT_FALSE(Hidden(name)) << name;
    EXPECT_EQ(Record(), Paths({L".config", L".ssh", L".gone"}));
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
    EXPECT_FALSE(Hidden(L".ssh"));
    EXPECT_TRUE(Hidden(L".cache"));
    EXPECT_EQ(Attributes(L".config"), configBefore | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Record(), Paths({L".cache", L".config", L".ssh"}));

    // Entries edited in by hand: a folder without a leading dot (hidden by
    // the user), the place itself, a climb out of a dot folder, garbage.
    ASSERT_TRUE(SetFileAttributesW(Path(L"plain").c_str(), Attributes(L"plain") | FILE_ATTRIBUTE_HIDDEN));
    std::vector<std::wstring> edited = Record();
    for (const std::wstring& entry : {Path(L"plain"), place, Path(L".cache\\.."), std::wstring(L"garbage")})
        edited.push_back(entry);
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, edited));
    const DWORD placeBefore = GetFileAttributesW(place.c_str());
    ASSERT_TRUE(SetFileAttributesW(place.c_str(), placeBefore | FILE_ATTRIBUTE_HIDDEN));

    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(Attributes(L".config"), configBefore);
    for (const wchar_t* name : {L".cache", L".ssh"}) EXPECT_FALSE(Hidden(name)) << name;
    for (const wchar_t* name : {L".git", L"plain"}) EXPECT_TRUE(Hidden(name)) << name;
    EXPECT_NE(GetFileAttributesW(place.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_FALSE(RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue));
    SetFileAttributesW(place.c_str(), placeBefore);
}

// Bad places and a bad record are skipped without harm; only a REG_DWORD of 1 turns the option on.
TEST_F(DotFolders, BadValuesAreSkipped) {
    MakeFolder(L".x");
    // An empty string, a relative path, a missing folder and 12,000 characters, unterminated.
    std::wstring places(L"\0relative\0C:\\no-such-folder-here\0", 33);
    places += L"C:\\" + std::wstring(12000, L'y');
    StoreValue(kSettingsKeyPath, kDotFolderPlacesValue, REG_MULTI_SZ, places.data(),
               static_cast<DWORD>(places.size() * sizeof(wchar_t)));
    const std::vector<std::wstring> found = DotFolderPlaces();
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.back(), L"C:\\no-such-folder-here");
    EXPECT_LE(found.size(), 2u);  // the profile's first, when Windows names one
    StoreString(kSettingsKeyPath, kDotFolderPlacesValue, place);  // another type: not read
    const std::vector<std::wstring> unread = DotFolderPlaces();
    EXPECT_EQ(std::find(unread.begin(), unread.end(), place), unread.end());
    EXPECT_FALSE(MarkDotFolders({L"C:\\no-such-folder-here", Path(L".x") + L"\\missing"}, kNever, births));

    const BYTE garbage[] = {0x41, 0x00, 0x3A, 0x00, 0x5C};  // "A:" and half a unit
    StoreValue(kSettingsKeyPath, kMarkedDotFoldersValue, REG_MULTI_SZ, garbage, sizeof garbage);
    EXPECT_FALSE(UnmarkDotFolders(kNever));
    EXPECT_TRUE(MarkDotFolders({place}, kNever, births));
    EXPECT_EQ(Record(), Paths({L".x"}));

    EXPECT_FALSE(ReadDotFoldersHidden());
    for (const DWORD stored : {0u, 2u}) {
        StoreDword(kSettingsKeyPath, L"DotFoldersHidden", stored);
        EXPECT_FALSE(ReadDotFoldersHidden()) << stored;
    }
    StoreString(kSettingsKeyPath, L"DotFoldersHidden", L"1");
    EXPECT_FALSE(ReadDotFoldersHidden());
    WriteDotFoldersHidden(true);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"DotFoldersHidden"), DWORD{1});
    EXPECT_TRUE(ReadDotFoldersHidden());
}
