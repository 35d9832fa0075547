// The program's own values and the Run entry, against the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "i18n/language.h"
#include "i18n/ui_strings.h"
#include "support/clean_registry.h"

using SettingsStore = CleanRegistryTest;

TEST_F(SettingsStore, FirstWriteCreatesTheKeyAndStringsCountTheirNul) {
    WriteLanguageSetting(L"ES");
    const auto value = ReadStoredValue(kSettingsKeyPath, L"Lang");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, DWORD{REG_SZ});
    EXPECT_EQ(value->bytes.size(), 6u);  // "ES" and its NUL
    EXPECT_EQ(ReadLanguageSetting(), L"ES");

    WriteLanguageSetting(L"");
    EXPECT_EQ(ReadStoredValue(kSettingsKeyPath, L"Lang")->bytes.size(), 2u);
    EXPECT_EQ(ReadLanguageSetting(), L"");
}

TEST_F(SettingsStore, LanguageSettingReadsAtMostTwentyBytes) {
    EXPECT_EQ(ReadLanguageSetting(), L"");  // no key at all

    StoreString(kSettingsKeyPath, L"Lang", L"123456789");  // 20 bytes with its NUL
    EXPECT_EQ(ReadLanguageSetting(), L"123456789");
    StoreString(kSettingsKeyPath, L"Lang", L"1234567890");  // 22 bytes
    EXPECT_EQ(ReadLanguageSetting(), L"");
    StoreString(kSettingsKeyPath, L"Lang", L"ABCDEFGHIJKL");
    EXPECT_EQ(ReadLanguageSetting(), L"");

    // Ten units without a terminator (binary data, as another program might
    // leave it): all ten, nothing beyond the buffer.
    const wchar_t unterminated[10] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'};
    StoreValue(kSettingsKeyPath, L"Lang", REG_BINARY, unterminated, sizeof unterminated);
    EXPECT_EQ(ReadLanguageSetting(), L"ABCDEFGHIJ");

    // Text up to the first NUL only.
    const wchar_t embedded[] = {'D', 'E', 0, 'X', 0};
    StoreValue(kSettingsKeyPath, L"Lang", REG_SZ, embedded, sizeof embedded);
    EXPECT_EQ(ReadLanguageSetting(), L"DE");
}

TEST_F(SettingsStore, IncludeSystemFilesCountsOnlyOne) {
    EXPECT_TRUE(ReadIncludeSystemFiles());  // absent
    const struct {
        DWORD stored;
        bool expected;
    } cases[] = {{1, true}, {0, false}, {2, false}, {0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        StoreDword(kSettingsKeyPath, L"IncludeSystemFiles", c.stored);
        EXPECT_EQ(ReadIncludeSystemFiles(), c.expected) << c.stored;
    }
    const unsigned char eightBytes[8] = {1};
    StoreValue(kSettingsKeyPath, L"IncludeSystemFiles", REG_BINARY, eightBytes, sizeof eightBytes);
    EXPECT_TRUE(ReadIncludeSystemFiles());  // unreadable: the default

    WriteIncludeSystemFiles(false);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeSystemFiles"), DWORD{0});
    WriteIncludeSystemFiles(true);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeSystemFiles"), DWORD{1});
}

TEST_F(SettingsStore, ShortcutsAreFourByteDwordsElseTheirDefaults) {
    EXPECT_EQ(ReadShortcutSetting(2), 0x05BEu);  // absent
    const DWORD ctrlAltH = 0x0648;
    StoreValue(kSettingsKeyPath, L"HotkeyExtensions", REG_BINARY, &ctrlAltH, 4);
    EXPECT_EQ(ReadShortcutSetting(2), 0x05BEu);
    StoreValue(kSettingsKeyPath, L"HotkeyExtensions", REG_DWORD, &ctrlAltH, 2);
    EXPECT_EQ(ReadShortcutSetting(2), 0x05BEu);
    WriteShortcutSetting(1, ctrlAltH);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"HotkeyHidden"), ctrlAltH);
    EXPECT_EQ(ReadShortcutSetting(1), ctrlAltH);
}

TEST_F(SettingsStore, SwitchesAreFourByteDwords) {
    WriteIncludeExtensions(true);
    WriteRunAtStartup(false);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions"), DWORD{1});
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"RunAtStartup"), DWORD{0});
    WriteIncludeExtensions(false);
    WriteRunAtStartup(true);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions"), DWORD{0});
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"RunAtStartup"), DWORD{1});
}

TEST_F(SettingsStore, RunEntryHoldsTheQuotedExecutablePath) {
    EXPECT_FALSE(RunEntryExists());
    DeleteRunEntry();  // absent: no harm
    EXPECT_FALSE(RunEntryExists());

    WriteRunEntry();
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring expected = L"\"" + std::wstring(path) + L"\"";
    const auto stored = ReadStoredValue(kRunKeyPath, kRunValueName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, DWORD{REG_SZ});
    EXPECT_EQ(stored->bytes.size(), (expected.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(ReadStoredString(kRunKeyPath, kRunValueName), expected);
    EXPECT_TRUE(RunEntryExists());

    DeleteRunEntry();
    EXPECT_FALSE(ReadStoredValue(kRunKeyPath, kRunValueName));
}

TEST_F(SettingsStore, BothWaysDropWindowsDisabledMarkAndNeverMakeItsKey) {
    // Windows' key holds other programs' marks too: only this test's values are touched.
    const auto keyExists = [] {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    };
    const bool keyExisted = keyExists();
    DeleteRunEntry();
    EXPECT_EQ(keyExists(), keyExisted);  // never made by the program

    const BYTE disabled[12] = {3};
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, disabled, sizeof disabled);
    StoreValue(kStartupApprovedKeyPath, L"VeiluxTestOther", REG_BINARY, disabled, sizeof disabled);
    WriteRunEntry();
    EXPECT_TRUE(RunEntryExists());
    EXPECT_FALSE(ReadStoredValue(kStartupApprovedKeyPath, kRunValueName));
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, disabled, sizeof disabled);
    DeleteRunEntry();
    EXPECT_FALSE(ReadStoredValue(kStartupApprovedKeyPath, kRunValueName));
    EXPECT_TRUE(ReadStoredValue(kStartupApprovedKeyPath, L"VeiluxTestOther"));  // another program's mark stays
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, L"VeiluxTestOther");
    if (!keyExisted) RegDeleteKeyW(HKEY_CURRENT_USER, kStartupApprovedKeyPath);
}

TEST_F(SettingsStore, AnEntrySwitchedOffInTaskManagerIsNotEnabled) {
    EXPECT_FALSE(RunEntryEnabled());
    const BYTE on[12] = {2};
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, on, sizeof on);
    EXPECT_FALSE(RunEntryEnabled());  // a mark without an entry starts nothing
    StoreString(kRunKeyPath, kRunValueName, L"C:\\veilux.exe");
    const struct {
        BYTE first;
        bool enabled;
    } marks[] = {{2, true}, {6, true}, {3, false}, {7, false}};
    for (const auto& mark : marks) {
        SCOPED_TRACE(testing::Message() << "first byte " << int{mark.first});
        const BYTE value[12] = {mark.first};
        StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, value, sizeof value);
        EXPECT_EQ(RunEntryEnabled(), mark.enabled);
    }
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, nullptr, 0);
    EXPECT_TRUE(RunEntryEnabled());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, kRunValueName);
    EXPECT_TRUE(RunEntryEnabled());
}

TEST_F(SettingsStore, RunEntryPresenceIsAllThatCounts) {
    StoreString(kRunKeyPath, kRunValueName, L"C:\\moved\\elsewhere.exe");
    EXPECT_TRUE(RunEntryExists());
    // The longest entry the program writes: 259 characters in quotes, 524 bytes.
    StoreString(kRunKeyPath, kRunValueName, L"\"" + std::wstring(259, L'x') + L"\"");
    EXPECT_TRUE(RunEntryExists());
    StoreString(kRunKeyPath, kRunValueName, std::wstring(262, L'x'));  // 526 bytes: no entry of ours
    EXPECT_FALSE(RunEntryExists());
}

TEST_F(SettingsStore, SetLanguageStoresAnyCodeAndLoadsItsTexts) {
    SetLanguage(L"ES");
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"ES");
    EXPECT_STREQ(UiText(MessageKey::MenuExit), L"Salir");

    // Unknown and lower-case codes are stored unchanged and give English.
    SetLanguage(L"es");
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"es");
    EXPECT_STREQ(UiText(MessageKey::MenuExit), L"Exit");
}

TEST_F(SettingsStore, StartupLanguageKeepsAStoredCodeOrChoosesFromTheInterface) {
    StoreString(kSettingsKeyPath, L"Lang", L"DE");
    LoadStartupLanguage();
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"DE");
    EXPECT_STREQ(UiText(MessageKey::MenuSettings), L"Einstellungen");

    // A code too long to read is replaced by the interface's choice.
    StoreString(kSettingsKeyPath, L"Lang", L"ABCDEFGHIJKL");
    LoadStartupLanguage();
    const auto chosen = ReadStoredString(kSettingsKeyPath, L"Lang");
    ASSERT_TRUE(chosen);
    const LANGID id = GetUserDefaultUILanguage();
    const wchar_t* expected = (id & 0x3FF) == 0x0A ? L"ES" : (id & 0x3FF) == 0x16 ? L"PT" : L"EN";
    EXPECT_EQ(*chosen, expected);
}

TEST_F(SettingsStore, RegistryHelpersReportWhatHappened) {
    DWORD value = 7;
    EXPECT_FALSE(ReadRegistryDword(kSettingsKeyPath, L"Nothing", value));
    EXPECT_TRUE(WriteRegistryDword(kSettingsKeyPath, L"Probe", 5));
    EXPECT_TRUE(ReadRegistryDword(kSettingsKeyPath, L"Probe", value));
    EXPECT_EQ(value, 5u);
    // A value that fits in four bytes is read whatever its type.
    StoreString(kSettingsKeyPath, L"Probe", L"1");
    EXPECT_TRUE(ReadRegistryDword(kSettingsKeyPath, L"Probe", value));
    EXPECT_EQ(value, 0x31u);
    EXPECT_TRUE(DeleteRegistryValue(kSettingsKeyPath, L"Probe"));
    EXPECT_TRUE(DeleteRegistryValue(kSettingsKeyPath, L"Probe"));
}
