// The dot-folder marks and their record, on real folders and the real registry. Under Wine the
// prefix must show dot names as Windows does (ShowDotFiles, set by tools/wine/wine-session.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "explorer/dot_folders.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "support/clean_registry.h"

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
    }
    void TearDown() override {
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
    DWORD Attributes(const std::wstring& name) const { return GetFileAttributesW(Path(name).c_str()); }
    // The names made here that exist and are hidden; the record's entries, without this place's prefix.
    Names HiddenNames() const {
        Names names;
        for (const std::wstring& name : made)
            if (Attributes(name) != INVALID_FILE_ATTRIBUTES && (Attributes(name) & FILE_ATTRIBUTE_HIDDEN))
                names.insert(name);
        return names;
    }
    Names Recorded() const {
        Names names;
        for (const std::wstring& entry : ReadRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, 1 << 20))
            names.insert(entry.starts_with(place + L"\\") ? entry.substr(place.size() + 1) : entry);
        return names;
    }

    std::wstring place;
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
    std::vector<std::wstring> edited = ReadRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, 1 << 20);
    edited.insert(edited.end(), {Path(L"plain"), place, Path(L".cache\\.."), L"garbage"});
    ASSERT_TRUE(WriteRegistryStrings(kSettingsKeyPath, kMarkedDotFoldersValue, edited));

    EXPECT_TRUE(UnmarkDotFolders(kNever));
    EXPECT_EQ(Attributes(L".config"), configBefore);
    EXPECT_EQ(HiddenNames(), (Names{L".git", L"plain"}));
    EXPECT_NE(GetFileAttributesW(place.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_FALSE(RegistryValueExists(kSettingsKeyPath, kMarkedDotFoldersValue));
}

// Bad places are skipped without harm; only a REG_DWORD of 1 turns the option on.
TEST_F(DotFolders, BadValuesAreSkipped) {
    std::vector<std::wstring> expected = DotFolderPlaces();  // the profile, when Windows names one
    // An empty string, a relative path, a missing folder and 12,000 characters, unterminated.
    const std::wstring bad = std::wstring(L"\0relative\0C:\\no-such-folder-here\0C:\\", 36) + std::wstring(12000, L'y');
    StoreValue(kSettingsKeyPath, kDotFolderPlacesValue, REG_MULTI_SZ, bad.data(), static_cast<DWORD>(bad.size() * 2));
    expected.push_back(L"C:\\no-such-folder-here");
    EXPECT_EQ(DotFolderPlaces(), expected);
    EXPECT_FALSE(MarkDotFolders({L"C:\\no-such-folder-here", Path(L"missing")}, kNever, births));

    StoreDword(kSettingsKeyPath, L"DotFoldersHidden", 2);
    EXPECT_FALSE(ReadDotFoldersHidden());
    WriteDotFoldersHidden(true);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"DotFoldersHidden"), DWORD{1});
    EXPECT_TRUE(ReadDotFoldersHidden());
}
