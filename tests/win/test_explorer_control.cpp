// Explorer's view switches: the shell calls through the recorder, the
// registry for real.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "explorer/explorer_control.h"
#include "explorer/settings_store.h"
#include "support/clean_registry.h"
#include "support/seam_recorder.h"

namespace {

constexpr DWORD kHiddenMask = 0x40001;
constexpr std::uint32_t kAllObjects = 1u << 0;
constexpr std::uint32_t kExtensions = 1u << 1;
constexpr std::uint32_t kSuperHidden = 1u << 15;

class ExplorerControl : public CleanRegistryTest {
protected:
    std::optional<DWORD> Advanced(const wchar_t* name) { return ReadStoredDword(kExplorerAdvancedKeyPath, name); }
    std::optional<DWORD> Own(const wchar_t* name) { return ReadStoredDword(kSettingsKeyPath, name); }
    SeamRecorder seam;
};

}  // namespace

TEST_F(ExplorerControl, LoadStateReadsTheDefaultsOfAFreshUser) {
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 1);
    EXPECT_TRUE(LoadState());
    EXPECT_TRUE(g_app.controller);
    EXPECT_FALSE(g_app.hiddenVisible);
    EXPECT_FALSE(g_app.extensionsVisible);
    EXPECT_TRUE(g_app.includeSystemFiles);
    // Nothing is applied at start.
    EXPECT_TRUE(seam.order.empty());
}

TEST_F(ExplorerControl, LoadStateDecodesEachValue) {
    const struct {
        const wchar_t* name;
        DWORD value;
        bool hidden, extensions, system;
    } cases[] = {
        {L"Hidden", 1, true, true, true},        {L"Hidden", 0, false, true, true},
        {L"Hidden", 2, false, true, true},       {L"HideFileExt", 0, false, true, true},
        {L"HideFileExt", 1, false, false, true}, {L"HideFileExt", 5, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        ResetProgramRegistry();
        StoreDword(kExplorerAdvancedKeyPath, c.name, c.value);
        LoadState();
        EXPECT_EQ(g_app.hiddenVisible, c.hidden);
        EXPECT_EQ(g_app.extensionsVisible, c.extensions);
        EXPECT_EQ(g_app.includeSystemFiles, c.system);
    }
    // Data of another type that fits in four bytes is read as it is: the
    // string "1" is 0x31, not 1.
    ResetProgramRegistry();
    StoreString(kExplorerAdvancedKeyPath, L"Hidden", L"1");
    LoadState();
    EXPECT_FALSE(g_app.hiddenVisible);
    // Eight bytes are unreadable: the default.
    const unsigned char eight[8] = {};
    StoreValue(kExplorerAdvancedKeyPath, L"HideFileExt", REG_BINARY, eight, sizeof eight);
    LoadState();
    EXPECT_TRUE(g_app.extensionsVisible);
    StoreDword(kSettingsKeyPath, L"IncludeSystemFiles", 2);
    LoadState();
    EXPECT_FALSE(g_app.includeSystemFiles);
}

TEST_F(ExplorerControl, FirstHiddenToggleShowsHiddenAndSystemFiles) {
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    LoadState();
    seam.shellWord = 0xA5A50000u & ~kSuperHidden;  // unrelated bits the shell holds
    ToggleHiddenFiles();

    ASSERT_EQ(seam.shellSettings.size(), 2u);
    EXPECT_EQ(seam.shellSettings[0].mask, kHiddenMask);
    EXPECT_FALSE(seam.shellSettings[0].set);
    EXPECT_EQ(seam.shellSettings[1].mask, kHiddenMask);
    EXPECT_TRUE(seam.shellSettings[1].set);
    EXPECT_EQ(seam.shellWord, (0xA5A50000u & ~kSuperHidden) | kAllObjects | kSuperHidden);
    ASSERT_EQ(seam.changeNotifies.size(), 1u);
    EXPECT_EQ(seam.changeNotifies[0].eventId, LONG{SHCNE_ASSOCCHANGED});
    EXPECT_EQ(seam.changeNotifies[0].flags, UINT{SHCNF_IDLIST});
    EXPECT_TRUE(seam.changeNotifies[0].item1Null && seam.changeNotifies[0].item2Null);
    EXPECT_EQ(seam.order,
              (std::vector<std::string>{"getShellSettings", "setShellSettings", "changeNotify", "refreshShellViews"}));

    EXPECT_TRUE(g_app.hiddenVisible);
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{1});
    EXPECT_EQ(Advanced(L"ShowSuperHidden"), DWORD{1});

    ToggleHiddenFiles();
    EXPECT_FALSE(g_app.hiddenVisible);
    EXPECT_EQ(seam.shellWord & (kAllObjects | kSuperHidden), kSuperHidden);  // bit 15 follows the switch alone
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{2});
    EXPECT_EQ(Advanced(L"ShowSuperHidden"), DWORD{1});
}

TEST_F(ExplorerControl, WithoutSystemFilesHiddenFilesComeAlone) {
    StoreDword(kSettingsKeyPath, L"IncludeSystemFiles", 0);
    LoadState();
    seam.shellWord = kSuperHidden | kExtensions;
    ToggleHiddenFiles();
    EXPECT_EQ(seam.shellWord, kAllObjects | kExtensions);
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{1});
    EXPECT_EQ(Advanced(L"ShowSuperHidden"), DWORD{0});  // 0, never 2: any value but 0 reads as shown
    EXPECT_FALSE(Own(L"IncludeSystemFiles") != DWORD{0});  // untouched
}

TEST_F(ExplorerControl, SystemToggleWhileHiddenFilesAreNotShown) {
    LoadState();  // system files included, hidden files not shown
    ToggleSystemFiles();
    EXPECT_FALSE(g_app.includeSystemFiles);
    EXPECT_EQ(seam.shellWord & (kAllObjects | kSuperHidden), 0u);
    EXPECT_EQ(Own(L"IncludeSystemFiles"), DWORD{0});
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{2});
    EXPECT_EQ(Advanced(L"ShowSuperHidden"), DWORD{0});

    ToggleSystemFiles();
    EXPECT_TRUE(g_app.includeSystemFiles);
    EXPECT_EQ(seam.shellWord & (kAllObjects | kSuperHidden), kSuperHidden);
    EXPECT_EQ(Own(L"IncludeSystemFiles"), DWORD{1});
    EXPECT_EQ(Advanced(L"ShowSuperHidden"), DWORD{1});
}

TEST_F(ExplorerControl, ExtensionToggleTouchesOnlyItsOwnBitAndValues) {
    LoadState();  // no HideFileExt: extensions count as shown
    seam.shellWord = kAllObjects | kSuperHidden | kExtensions;
    ToggleExtensions();
    ASSERT_EQ(seam.shellSettings.size(), 2u);
    EXPECT_EQ(seam.shellSettings[0].mask, DWORD{SSF_SHOWEXTENSIONS});
    EXPECT_EQ(seam.shellSettings[1].mask, DWORD{SSF_SHOWEXTENSIONS});
    EXPECT_EQ(seam.shellWord, kAllObjects | kSuperHidden);
    EXPECT_EQ(seam.changeNotifies.size(), 1u);
    EXPECT_FALSE(g_app.extensionsVisible);
    EXPECT_EQ(Advanced(L"HideFileExt"), DWORD{1});
    EXPECT_EQ(Own(L"IncludeExtensions"), DWORD{0});
    EXPECT_FALSE(Advanced(L"Hidden"));
    EXPECT_FALSE(Advanced(L"ShowSuperHidden"));

    ToggleExtensions();
    EXPECT_TRUE(g_app.extensionsVisible);
    EXPECT_EQ(seam.shellWord, kAllObjects | kSuperHidden | kExtensions);
    EXPECT_EQ(Advanced(L"HideFileExt"), DWORD{0});
    EXPECT_EQ(Own(L"IncludeExtensions"), DWORD{1});
}

TEST_F(ExplorerControl, WithoutTheControllerOnlyTheSystemToggleReachesTheShell) {
    ToggleHiddenFiles();
    ToggleExtensions();
    EXPECT_TRUE(seam.order.empty());

    ToggleSystemFiles();
    EXPECT_EQ(seam.order,
              (std::vector<std::string>{"getShellSettings", "setShellSettings", "changeNotify", "refreshShellViews"}));
    EXPECT_TRUE(g_app.includeSystemFiles);  // inverted from false
    EXPECT_FALSE(Own(L"IncludeSystemFiles"));
    EXPECT_FALSE(Advanced(L"ShowSuperHidden"));
}

TEST_F(ExplorerControl, EachPressFlipsWhatExplorerShowsNow) {
    LoadState();
    ToggleHiddenFiles();  // shown
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);  // the user hid them in Explorer
    ToggleHiddenFiles();  // shows them again, in one press
    EXPECT_TRUE(g_app.hiddenVisible);
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{1});
    EXPECT_EQ(seam.shellWord & kAllObjects, kAllObjects);

    // The protected-files switch keeps hidden files as Explorer shows them now.
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    ToggleSystemFiles();
    EXPECT_FALSE(g_app.hiddenVisible);
    EXPECT_EQ(Advanced(L"Hidden"), DWORD{2});
    EXPECT_EQ(seam.shellWord & kAllObjects, 0u);

    StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 0);  // shown elsewhere; the program thought hidden
    g_app.extensionsVisible = false;
    ToggleExtensions();
    EXPECT_FALSE(g_app.extensionsVisible);
    EXPECT_EQ(Advanced(L"HideFileExt"), DWORD{1});
}

TEST_F(ExplorerControl, FollowingExplorerTakesBothValuesAndLeavesTheOwnOption) {
    EXPECT_FALSE(FollowExplorerValues());  // no controller: nothing is followed
    LoadState();
    EXPECT_FALSE(FollowExplorerValues());  // nothing differs
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 1);
    StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 1);
    StoreDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", 2);
    EXPECT_TRUE(FollowExplorerValues());
    EXPECT_TRUE(g_app.hiddenVisible);
    EXPECT_FALSE(g_app.extensionsVisible);
    EXPECT_TRUE(g_app.includeSystemFiles);  // a value Folder Options never writes leaves the option alone
    EXPECT_TRUE(seam.order.empty());
    EXPECT_FALSE(Own(L"IncludeExtensions"));
    EXPECT_FALSE(Own(L"IncludeSystemFiles"));

    // Protected files hidden in Folder Options: the option follows and is saved, Explorer's value left alone.
    StoreDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", 0);
    EXPECT_TRUE(FollowExplorerValues());
    EXPECT_FALSE(g_app.includeSystemFiles);
    EXPECT_EQ(Own(L"IncludeSystemFiles"), DWORD{0});
    EXPECT_TRUE(seam.order.empty() && Advanced(L"ShowSuperHidden") == DWORD{0});
    EXPECT_FALSE(FollowExplorerValues());  // seen already
    // Shown again there: the option follows back, and is saved.
    StoreDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", 1);
    EXPECT_TRUE(FollowExplorerValues());
    EXPECT_TRUE(g_app.includeSystemFiles);
    EXPECT_EQ(Own(L"IncludeSystemFiles"), DWORD{1});
    ToggleSystemFiles();  // the program's own write is no change from elsewhere
    EXPECT_FALSE(FollowExplorerValues());
    EXPECT_FALSE(g_app.includeSystemFiles);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kExplorerAdvancedKeyPath, L"ShowSuperHidden");
    EXPECT_FALSE(FollowExplorerValues());  // gone: the option stays
    StoreValue(kExplorerAdvancedKeyPath, L"Hidden", REG_BINARY, "12345678", 8);  // unreadable: not shown
    EXPECT_TRUE(FollowExplorerValues());
    EXPECT_FALSE(g_app.hiddenVisible);
}

namespace {
std::vector<WPARAM> g_folderWindowCommands;
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_folderWindowCommands.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

TEST_F(ExplorerControl, OpenFolderWindowsAreToldToRefreshAfterEachChange) {
    WNDCLASSW folderClass = {};
    folderClass.lpfnWndProc = RecordCommands;
    folderClass.hInstance = GetModuleHandleW(nullptr);
    folderClass.lpszClassName = L"CabinetWClass";
    ASSERT_TRUE(RegisterClassW(&folderClass));
    const HWND folder = CreateWindowExW(0, L"CabinetWClass", L"Documents", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                        nullptr, folderClass.hInstance, nullptr);
    ASSERT_NE(folder, nullptr);
    g_folderWindowCommands.clear();
    LoadState();
    ToggleHiddenFiles();
    ToggleSystemFiles();
    ToggleExtensions();
    PumpMessages();
    EXPECT_EQ(g_folderWindowCommands, (std::vector<WPARAM>{41504, 41504, 41504}));
    // Every tab and the desktop too, by the shell's window list.
    EXPECT_EQ(seam.shellViewRefreshes, 3);
    // A change made elsewhere: Explorer refreshes by itself.
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    FollowExplorerValues();
    PumpMessages();
    EXPECT_EQ(g_folderWindowCommands.size(), 3u);
    EXPECT_EQ(seam.shellViewRefreshes, 3);
    DestroyWindow(folder);
    UnregisterClassW(L"CabinetWClass", folderClass.hInstance);
}
