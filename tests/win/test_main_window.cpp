// The hidden window's messages, on a program started by InitInstance inside
// the test: real window, hotkeys and registry; shell calls recorded.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstring>

#include "app/app_state.h"
#include "app/command_words.h"
#include "app/hotkeys.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
#include "app/startup.h"
#include "app/web_endpoints.h"
#include "explorer/explorer_control.h"
#include "explorer/explorer_watch.h"
#include "explorer/settings_store.h"
#include "i18n/ui_strings.h"
#include "support/program_fixture.h"
#include "tray/commands.h"
#include "tray/menu_theme.h"
#include "tray/tray_icon.h"
#include "ui/shortcuts_window.h"
#include "update/update_check.h"

namespace {

class MainWindow : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        BeforeStart();
        context.instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(InitInstance(context));
        window = g_app.mainWindow;
        ASSERT_NE(window, nullptr);
        seam.order.clear();
        seam.notifyIcons.clear();
    }
    void TearDown() override {
        if (context.mutex) CloseHandle(context.mutex);
        ProgramTest::TearDown();
    }
    virtual void BeforeStart() {}
    void Command(unsigned id) { SendMessageW(window, WM_COMMAND, id, 0); }
    void Tray(UINT event) { SendMessageW(window, WM_TRAYICON, TRAY_ICON_ID, event); }
    std::optional<DWORD> Hidden() { return ReadStoredDword(kExplorerAdvancedKeyPath, L"Hidden"); }

    StartupContext context;
    HWND window = nullptr;
};

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [key, down] : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Another program (the test) holds Alt+Shift+. and Ctrl+Alt+H before the start.
class Shortcuts : public MainWindow {
protected:
    void BeforeStart() override {
        ASSERT_TRUE(RegisterHotKey(nullptr, 11, MOD_ALT | MOD_SHIFT, VK_OEM_PERIOD));
        ASSERT_TRUE(RegisterHotKey(nullptr, 12, MOD_CONTROL | MOD_ALT, 'H'));
    }
    void TearDown() override {
        UnregisterHotKey(nullptr, 11);
        UnregisterHotKey(nullptr, 12);
        MainWindow::TearDown();
    }
    std::wstring Status(int id) {
        wchar_t text[128] = {};
        GetDlgItemTextW(g_app.shortcutsWindow, id, text, 128);
        return text;
    }
    void Put(int id, WORD word) { SendDlgItemMessageW(g_app.shortcutsWindow, id, HKM_SETHOTKEY, word, 0); }
    void Press(int id) { SendMessageW(g_app.shortcutsWindow, WM_COMMAND, id, 0); }
    std::wstring MenuText(std::size_t index) {
        seam.popupMenus.clear();
        Tray(WM_RBUTTONUP);
        return seam.popupMenus.at(0).items.at(index).text;
    }
    // Whether a combination is free for another program.
    static bool Free(UINT modifiers, UINT key) {
        if (!RegisterHotKey(nullptr, 13, modifiers, key)) return false;
        UnregisterHotKey(nullptr, 13);
        return true;
    }
};

class DarkAppMode : public MainWindow {
protected:
    void BeforeStart() override { StoreDword(kPersonalizeKeyPath, L"AppsUseLightTheme", 0); }
    void AnnounceColors() { SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet")); }
};

// Explorer's values as a user's are, before the program starts.
std::size_t ThreadsOfThisProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    std::size_t count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

class FollowingExplorer : public MainWindow {
protected:
    void BeforeStart() override {
        StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
        StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 1);
        threadsBeforeStart = ThreadsOfThisProcess();
    }
    std::size_t IconChanges() const {
        std::size_t count = 0;
        for (const NotifyIconCall& call : seam.notifyIcons) count += (call.data.uFlags & NIF_ICON) ? 1 : 0;
        return count;
    }
    void AnnounceShellState() { SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ShellState")); }
    std::size_t threadsBeforeStart = 0;
};

// The shell's settings call as Windows makes it: a set writes Explorer's
// values and announces them to the top-level windows before it returns.
void WINAPI SetShellSettingsAsWindowsDoes(SHELLSTATE* state, DWORD mask, BOOL set) {
    DWORD word = 0;
    std::memcpy(&word, state, sizeof word);
    if (set && (mask & SSF_SHOWALLOBJECTS)) StoreDword(kExplorerAdvancedKeyPath, L"Hidden", (word & 1) ? 1 : 2);
    if (set && (mask & SSF_SHOWEXTENSIONS)) StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", (word & 2) ? 0 : 1);
    if (set) SendMessageW(g_app.mainWindow, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ShellState"));
    if (!set) std::memset(state, 0, sizeof word);
}

}  // namespace

TEST_F(MainWindow, TheWindowIsHiddenAndOfItsOwnClass) {
    wchar_t text[32] = {};
    GetClassNameW(window, text, 32);
    EXPECT_STREQ(text, L"Veilux");
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"Veilux");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TrayIconShown());
}

TEST_F(MainWindow, CommandsReachTheirOperations) {
    Command(IDM_TOGGLE_HIDDEN);
    EXPECT_EQ(Hidden(), DWORD{1});
    Command(IDM_TOGGLE_SYSTEM_FILES);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeSystemFiles"), DWORD{0});
    Command(IDM_TOGGLE_EXTENSIONS);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions"), DWORD{0});
    Command(IDM_USER_GUIDE);
    ASSERT_EQ(seam.shellExecutes.size(), 1u);
    EXPECT_EQ(seam.shellExecutes[0].owner, nullptr);
    EXPECT_EQ(seam.shellExecutes[0].verb, L"open");
    EXPECT_EQ(seam.shellExecutes[0].file, UserGuideUrl());
    EXPECT_TRUE(seam.shellExecutes[0].parametersNull && seam.shellExecutes[0].directoryNull);
    EXPECT_EQ(seam.shellExecutes[0].show, SW_SHOWNORMAL);
    Command(9999);  // unknown: nothing
    Command(IDM_SETTINGS);
    EXPECT_NE(g_app.selectorWindow, nullptr);
}

TEST_F(MainWindow, WithoutTheIconOnlySettingsIsCarriedOut) {
    ReleaseTray();
    seam.order.clear();
    for (unsigned id : {IDM_TOGGLE_HIDDEN, IDM_TOGGLE_SYSTEM_FILES, IDM_TOGGLE_EXTENSIONS, IDM_USER_GUIDE, IDM_EXIT})
        Command(id);
    EXPECT_TRUE(seam.order.empty());
    EXPECT_FALSE(Hidden());
    WPARAM code = 0;
    EXPECT_FALSE(TakeQuit(code));
    Command(IDM_SETTINGS);
    EXPECT_NE(g_app.selectorWindow, nullptr);

    // Tray notifications without a TrayIcon do nothing either.
    for (UINT event : {UINT{WM_RBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{NIN_BALLOONUSERCLICK}}) Tray(event);
    EXPECT_TRUE(seam.order.empty());
}

TEST_F(MainWindow, ExitReleasesTheIconFromInsideItsOwnHandler) {
    Command(IDM_SETTINGS);
    const HWND selector = g_app.selectorWindow;
    Command(IDM_EXIT);
    EXPECT_EQ(g_app.tray, nullptr);
    EXPECT_EQ(seam.notifyIcons.back().message, DWORD{NIM_DELETE});
    EXPECT_EQ(g_app.selectorWindow, nullptr);
    if (selector) {
        EXPECT_FALSE(IsWindow(selector));
    }
    EXPECT_TRUE(g_app.controller);  // survives until the entry point's teardown
    WPARAM code = 99;
    EXPECT_TRUE(TakeQuit(code));
    EXPECT_EQ(code, 0u);
    // The hotkeys are free again.
    EXPECT_TRUE(RegisterHotKey(nullptr, 7, MOD_ALT, VK_OEM_PERIOD));
    UnregisterHotKey(nullptr, 7);
}

TEST_F(MainWindow, TrayNotifications) {
    seam.menuChoice = IDM_TOGGLE_HIDDEN;
    Tray(WM_RBUTTONUP);
    ASSERT_EQ(seam.popupMenus.size(), 1u);
    EXPECT_EQ(seam.popupMenus[0].owner, window);
    EXPECT_EQ(seam.popupMenus[0].items[0].text, L"Show hidden files\tAlt+.");
    PumpMessages();  // the choice arrives as WM_COMMAND
    EXPECT_EQ(Hidden(), DWORD{1});

    Tray(WM_LBUTTONDBLCLK);
    EXPECT_EQ(Hidden(), DWORD{2});
    seam.order.clear();
    for (UINT ignored : {UINT{WM_LBUTTONUP}, UINT{WM_MOUSEMOVE}, UINT{NIN_BALLOONTIMEOUT}, UINT{WM_LBUTTONDOWN}})
        Tray(ignored);
    EXPECT_TRUE(seam.order.empty());

    // A click on the start balloon opens nothing.
    Tray(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(seam.shellExecutes.empty());
    // The mark decides, and it survives a time-out.
    g_app.tray->updateClickPending = true;
    Tray(NIN_BALLOONTIMEOUT);
    Tray(NIN_BALLOONUSERCLICK);
    Tray(NIN_BALLOONUSERCLICK);
    ASSERT_EQ(seam.shellExecutes.size(), 1u);
    EXPECT_EQ(seam.shellExecutes[0].file, DownloadPageUrl());
    EXPECT_EQ(seam.shellExecutes[0].verb, L"open");
    EXPECT_FALSE(g_app.tray->updateClickPending);
}

TEST_F(MainWindow, ExitChosenFromTheMenuEndsTheLoop) {
    seam.menuChoice = IDM_EXIT;
    Tray(WM_RBUTTONUP);
    PumpUntil([] { return !g_app.tray; });
    EXPECT_EQ(g_app.tray, nullptr);
    WPARAM code = 1;
    EXPECT_TRUE(TakeQuit(code));
    EXPECT_EQ(code, 0u);
}

// A command handed over by another process: only the exact layout counts.
TEST_F(MainWindow, CommandMessagesAreCarriedOutAsPressesAndMalformedOnesIgnored) {
    const auto send = [this](ULONG_PTR id, const void* data, DWORD size) {
        COPYDATASTRUCT copy = {id, size, const_cast<void*>(data)};
        return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
    };
    CommandMessage hiddenOn{};
    ASSERT_TRUE(EncodeCommand({CommandVerb::Hidden, CommandValue::On, false}, hiddenOn));
    unsigned char longer[sizeof hiddenOn + 1] = {};
    std::memcpy(longer, &hiddenOn, sizeof hiddenOn);
    CommandMessage newer = hiddenOn;
    newer.version = 2;
    EXPECT_EQ(send(kCommandMessageId + 1, &hiddenOn, sizeof hiddenOn), 0);
    EXPECT_EQ(send(kCommandMessageId, &hiddenOn, sizeof hiddenOn - 1), 0);
    EXPECT_EQ(send(kCommandMessageId, longer, sizeof longer), 0);
    EXPECT_EQ(send(kCommandMessageId, &newer, sizeof newer), 0);
    EXPECT_EQ(send(kCommandMessageId, nullptr, sizeof hiddenOn), 0);
    EXPECT_TRUE(seam.shellSettings.empty());
    EXPECT_NE(Hidden(), DWORD{1});

    ReportedState state;
    ASSERT_TRUE(DecodeAnswer(send(kCommandMessageId, &hiddenOn, sizeof hiddenOn), state));
    EXPECT_TRUE(state.hiddenShown);
    EXPECT_EQ(Hidden(), DWORD{1});
    EXPECT_EQ(seam.shellSettings.size(), 2u);  // read and set, as a press
    EXPECT_FALSE(seam.notifyIcons.empty());  // the icon and its tooltip follow
    // Already shown: nothing is flipped.
    ASSERT_TRUE(DecodeAnswer(send(kCommandMessageId, &hiddenOn, sizeof hiddenOn), state));
    EXPECT_EQ(seam.shellSettings.size(), 2u);

    CommandMessage protectedOff{};
    ASSERT_TRUE(EncodeCommand({CommandVerb::Protected, CommandValue::Off, false}, protectedOff));
    ASSERT_TRUE(DecodeAnswer(send(kCommandMessageId, &protectedOff, sizeof protectedOff), state));
    EXPECT_FALSE(state.protectedIncluded);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeSystemFiles"), DWORD{0});

    CommandMessage exit{};
    ASSERT_TRUE(EncodeCommand({CommandVerb::Exit, CommandValue::None, false}, exit));
    EXPECT_TRUE(DecodeAnswer(send(kCommandMessageId, &exit, sizeof exit), state));
    EXPECT_EQ(g_app.tray, nullptr);
    WPARAM code = 1;
    EXPECT_TRUE(TakeQuit(code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindow, CloseTearsDownInOrder) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_app.tray, nullptr);
    EXPECT_EQ(seam.notifyIcons.back().message, DWORD{NIM_DELETE});
    EXPECT_FALSE(g_app.controller);
    EXPECT_EQ(g_app.mainWindow, nullptr);
    EXPECT_FALSE(g_app.hiddenVisible || g_app.includeSystemFiles || g_app.extensionsVisible);
    WPARAM code = 1;
    EXPECT_TRUE(TakeQuit(code));
    EXPECT_EQ(code, 0u);
}

TEST_F(MainWindow, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_ADD});
    EXPECT_STREQ(seam.notifyIcons[0].data.szTip, L"Hidden files: HIDDEN");
    EXPECT_EQ(seam.notifyIcons[0].data.hIcon, g_app.tray->currentIcon);
    // The record still holds the start balloon: with NIF_INFO the new shell would show it a second time.
    EXPECT_EQ(seam.notifyIcons[0].data.uFlags & NIF_INFO, 0u);

    // Too busy to take it at once: the timer tries again, and gets it in.
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    seam.notifyIconResult = FALSE;
    seam.acceptAtAdd = 2;
    SendMessageW(window, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitingForTray());
    SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
    EXPECT_FALSE(WaitingForTray());
    // Never taking it: given up silently after five minutes, the program running on.
    seam.notifyIconResult = FALSE;
    SendMessageW(window, taskbarCreated, 0, 0);
    seam.tickCount += 5 * 60 * 1000;
    SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
    EXPECT_FALSE(WaitingForTray());
    EXPECT_TRUE(seam.messageBoxes.empty() && TrayIconShown() && IsWindow(window));
}

TEST_F(MainWindow, AnUpdateAnswerCountsOnlyWhileTheIconIsShown) {
    const std::wstring path = VersionFilePath();
    const auto answer = [&](WPARAM fileWritten) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, "101", 3, &written, nullptr);
        CloseHandle(file);
        seam.notifyIcons.clear();
        SendMessageW(window, kUpdateCheckDoneMessage, fileWritten, 0);
        return !seam.notifyIcons.empty() && seam.notifyIcons[0].data.uFlags == NIF_INFO;
    };
    Command(IDM_UPDATE_AVAILABLE);  // nothing offered yet
    EXPECT_TRUE(seam.shellExecutes.empty());
    EXPECT_FALSE(answer(FALSE));  // a failed download: an old file is not read
    EXPECT_TRUE(answer(TRUE));
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    Tray(WM_RBUTTONUP);  // from now on the menu offers the page first, as often as it is chosen
    ASSERT_EQ(seam.popupMenus[0].items.size(), 13u);
    EXPECT_EQ(seam.popupMenus[0].items[0].text, L"Update Available");
    EXPECT_NE(seam.popupMenus[0].items[1].type & MFT_SEPARATOR, 0u);
    Command(seam.popupMenus[0].items[0].id);
    Command(seam.popupMenus[0].items[0].id);
    ASSERT_EQ(seam.shellExecutes.size(), 2u);
    EXPECT_EQ(seam.shellExecutes.at(1).file, DownloadPageUrl());
    Command(IDM_EXIT);
    EXPECT_FALSE(answer(TRUE));  // arrived after the quit had begun
    DeleteFileW(path.c_str());
}

TEST_F(MainWindow, HotkeysFromTheKeyboardFlipTheSettings) {
    SendKeys({{VK_MENU, true}, {VK_OEM_PERIOD, true}, {VK_OEM_PERIOD, false}, {VK_MENU, false}});
    EXPECT_TRUE(PumpUntil([this] { return Hidden() == DWORD{1}; }));
    EXPECT_TRUE(g_app.hiddenVisible);
    EXPECT_FALSE(ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions"));

    SendKeys({{VK_MENU, true},
              {VK_SHIFT, true},
              {VK_OEM_PERIOD, true},
              {VK_OEM_PERIOD, false},
              {VK_SHIFT, false},
              {VK_MENU, false}});
    EXPECT_TRUE(PumpUntil([] { return ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions") == DWORD{0}; }));
    EXPECT_EQ(ReadStoredDword(kExplorerAdvancedKeyPath, L"HideFileExt"), DWORD{1});
    EXPECT_EQ(Hidden(), DWORD{1});

    // On Windows MOD_NOREPEAT makes a held key flip once; Wine ignores it and repeats, as below.
    EXPECT_EQ(seam.hotkeyModifiers, (std::vector<UINT>{MOD_NOREPEAT | MOD_ALT, MOD_NOREPEAT | MOD_ALT | MOD_SHIFT}));
    const std::size_t setsBefore = seam.shellSettings.size();
    SendKeys({{VK_MENU, true}, {VK_OEM_PERIOD, true}, {VK_OEM_PERIOD, true}, {VK_OEM_PERIOD, false}, {VK_MENU, false}});
    EXPECT_TRUE(PumpUntil([&] { return seam.shellSettings.size() >= setsBefore + 4; }));
    EXPECT_EQ(Hidden(), DWORD{1});
    EXPECT_TRUE(g_app.hiddenVisible);
}

TEST_F(FollowingExplorer, ChangesMadeElsewhereAreFollowedWithoutWritingAnything) {
    ASSERT_TRUE(g_app.explorerWatch);
    // It holds no thread all day: the program's own loop waits for its events.
    EXPECT_LE(ThreadsOfThisProcess(), threadsBeforeStart);
    // Written silently, as regedit or a script would: the watch hears it.
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 1);
    EXPECT_TRUE(PumpUntil([] { return g_app.hiddenVisible; }));
    EXPECT_STREQ(g_app.tray->nid.szTip, L"Hidden and system files: VISIBLE");
    EXPECT_TRUE(IconShowsVisibleFiles(g_app.tray->currentIcon));
    // Protected system files hidden in Folder Options: the option follows.
    StoreDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", 0);
    EXPECT_TRUE(PumpUntil([] { return !g_app.includeSystemFiles; }));
    EXPECT_STREQ(g_app.tray->nid.szTip, L"Hidden files: VISIBLE");
    // The watch is armed again after each change.
    StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 0);
    EXPECT_TRUE(PumpUntil([] { return g_app.extensionsVisible; }));
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    EXPECT_TRUE(PumpUntil([] { return !g_app.hiddenVisible; }));
    EXPECT_FALSE(IconShowsVisibleFiles(g_app.tray->currentIcon));
    // Never an answer in the registry or the shell: no ping-pong with whoever changed it.
    EXPECT_EQ(ReadStoredDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden"), DWORD{0});
    EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"IncludeExtensions"));
    EXPECT_TRUE(seam.shellSettings.empty() && seam.changeNotifies.empty());

    // A value rewritten with what it held changes nothing on screen.
    seam.notifyIcons.clear();
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(seam.notifyIcons.empty());

    // The next press flips what Explorer shows now.
    g_app.explorerWatch.reset();  // not heard: the press alone must find it
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 1);
    SendMessageW(window, WM_HOTKEY, kHotkeyToggleHidden, 0);
    EXPECT_EQ(Hidden(), DWORD{2});
    EXPECT_FALSE(g_app.hiddenVisible);
    StoreDword(kExplorerAdvancedKeyPath, L"HideFileExt", 1);
    SendMessageW(window, WM_HOTKEY, kHotkeyToggleExtensions, 0);
    EXPECT_EQ(ReadStoredDword(kExplorerAdvancedKeyPath, L"HideFileExt"), DWORD{0});
    EXPECT_TRUE(g_app.extensionsVisible);
}

TEST_F(FollowingExplorer, TheWatchOutlivesItsKeyBeingDeletedAndMadeAgain) {
    ASSERT_TRUE(g_app.explorerWatch);
    // As a .reg import or a reset script does it; in between the program looks.
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kExplorerAdvancedKeyPath), ERROR_SUCCESS);
    PumpUntil([] { return false; }, 300);
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 1);
    EXPECT_TRUE(PumpUntil([] { return g_app.hiddenVisible; }));
    // And the new key is watched from then on.
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 2);
    EXPECT_TRUE(PumpUntil([] { return !g_app.hiddenVisible; }));
}

TEST_F(FollowingExplorer, ShellStateAnnouncementsAreFollowed) {
    g_app.explorerWatch.reset();  // the announcement alone
    StoreDword(kExplorerAdvancedKeyPath, L"Hidden", 1);
    SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
    EXPECT_FALSE(g_app.hiddenVisible);
    AnnounceShellState();
    EXPECT_TRUE(g_app.hiddenVisible);
    EXPECT_STREQ(g_app.tray->nid.szTip, L"Hidden and system files: VISIBLE");
    // Announced again with nothing changed: no new picture.
    const std::size_t icons = IconChanges();
    AnnounceShellState();
    EXPECT_EQ(IconChanges(), icons);
}

TEST_F(FollowingExplorer, TheShellsOwnAnnouncementDuringAPressFlipsOnce) {
    g_platform.getSetShellSettings = SetShellSettingsAsWindowsDoes;
    for (bool expected : {true, false, true}) {
        const std::size_t icons = IconChanges();
        SendMessageW(window, WM_HOTKEY, kHotkeyToggleHidden, 0);
        PumpMessages();  // the watch's news of the program's own writes
        EXPECT_EQ(g_app.hiddenVisible, expected);
        EXPECT_EQ(Hidden(), DWORD{expected ? 1u : 2u});
        EXPECT_EQ(IconChanges(), icons + 1);  // one new picture a press
    }
    SendMessageW(window, WM_HOTKEY, kHotkeyToggleExtensions, 0);
    PumpMessages();
    EXPECT_TRUE(g_app.extensionsVisible);
    EXPECT_EQ(ReadStoredDword(kExplorerAdvancedKeyPath, L"HideFileExt"), DWORD{0});
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"IncludeExtensions"), DWORD{1});
}

TEST_F(Shortcuts, OkWithATakenKeyTakesTheOldOneBackAndKeepsTheWindowOpen) {
    EXPECT_TRUE(seam.messageBoxes.empty());  // a taken key leaves the start silent
    EXPECT_EQ(MenuText(0), L"Show hidden files\tAlt+.");
    EXPECT_EQ(MenuText(4), L"Hide file extensions");  // not registered: no name
    Command(IDM_SHORTCUTS);
    ASSERT_NE(g_app.shortcutsWindow, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(g_app.shortcutsWindow, caption, 64);
    EXPECT_STREQ(caption, L"Keyboard shortcuts - Veilux 1.0");
    EXPECT_EQ(Status(kHiddenShortcutStatusId), L"");
    EXPECT_EQ(Status(kExtensionsShortcutStatusId), L"In use by another program");

    // All or nothing: field 1 asks for a key held by the test, field 2 for field 1's old key.
    UnregisterHotKey(nullptr, 11);
    Put(kHiddenShortcutFieldId, 0x0648);
    Put(kExtensionsShortcutFieldId, 0x04BE);
    Press(IDOK);
    ASSERT_NE(g_app.shortcutsWindow, nullptr);
    EXPECT_EQ(Status(kHiddenShortcutStatusId), L"In use by another program");
    EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"HotkeyHidden") ||
                 ReadStoredValue(kSettingsKeyPath, L"HotkeyExtensions"));
    EXPECT_FALSE(Free(MOD_ALT, VK_OEM_PERIOD));  // the old one is back
    // Nor is a key had that types a character on this layout (AltGr).
    seam.altGrKeys = {{'Q', false, 1, L'@'}, {'E', true, 1, L'\u20AC'}, {VK_OEM_6, false, -1, L'`'}};  // German
    for (const auto& [hidden, extensions] : {std::pair<WORD, WORD>{0x0651, 0x05BE}, {0x04BE, 0x0745}, {0x06DD, 0}}) {
        Put(kHiddenShortcutFieldId, hidden);
        Put(kExtensionsShortcutFieldId, extensions);
        Press(IDOK);
        EXPECT_EQ(Status(hidden == 0x04BE ? kExtensionsShortcutStatusId : kHiddenShortcutStatusId),
                  L"Types a character on this keyboard")
            << std::hex << hidden << " " << extensions;
    }
    // A dead key is asked twice, to take it out of the layout's state again.
    EXPECT_EQ(seam.translatedKeys, (std::vector<UINT>{'H', 'Q', 'E', VK_OEM_6, VK_OEM_6}));
    Press(IDCANCEL);
    EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"HotkeyHidden"));
    Command(IDM_SHORTCUTS);

    UnregisterHotKey(nullptr, 12);  // now free
    Put(kHiddenShortcutFieldId, 0x0648);
    Press(IDOK);
    EXPECT_EQ(g_app.shortcutsWindow, nullptr);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"HotkeyHidden"), DWORD{0x0648});
    EXPECT_TRUE(Free(MOD_ALT, VK_OEM_PERIOD));
    EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'H'));
    EXPECT_EQ(MenuText(0), L"Show hidden files\t" + ShortcutName(0x0648));
}

TEST_F(Shortcuts, OkWithAClearedFieldStoresZeroAndFreesTheKey) {
    UnregisterHotKey(nullptr, 11);
    Command(IDM_SHORTCUTS);
    Put(kHiddenShortcutFieldId, 0);
    Press(IDOK);
    EXPECT_EQ(g_app.shortcutsWindow, nullptr);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"HotkeyHidden"), DWORD{0});
    EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"HotkeyExtensions"));  // unchanged, not written
    EXPECT_TRUE(Free(MOD_ALT, VK_OEM_PERIOD));
    EXPECT_EQ(MenuText(0), L"Show hidden files");
    EXPECT_EQ(MenuText(4), L"Hide file extensions\tAlt+Shift+.");  // registered when tried again

    // A working shortcut typed into a field goes there instead of toggling.
    Command(IDM_SHORTCUTS);
    SendMessageW(window, WM_HOTKEY, kHotkeyToggleExtensions, 0);
    EXPECT_EQ(SendDlgItemMessageW(g_app.shortcutsWindow, kHiddenShortcutFieldId, HKM_GETHOTKEY, 0, 0), 0x05BE);
    EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"IncludeExtensions"));
    // Defaults fills the fields; Cancel stores nothing.
    Press(kShortcutDefaultsId);
    EXPECT_EQ(SendDlgItemMessageW(g_app.shortcutsWindow, kHiddenShortcutFieldId, HKM_GETHOTKEY, 0, 0), 0x04BE);
    EXPECT_EQ(SendDlgItemMessageW(g_app.shortcutsWindow, kExtensionsShortcutFieldId, HKM_GETHOTKEY, 0, 0), 0x05BE);
    Press(IDCANCEL);
    EXPECT_EQ(g_app.shortcutsWindow, nullptr);
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"HotkeyHidden"), DWORD{0});
}

// The window is as wide as its texts need in every language, the notes under the fields included.
TEST_F(Shortcuts, EveryTextFitsItsControl) {
    for (const LanguageInfo& language : kLanguages) {
        LoadLanguageTexts(language.code);
        Command(IDM_SHORTCUTS);
        const HDC dc = GetDC(g_app.shortcutsWindow);
        SelectObject(dc, reinterpret_cast<HFONT>(SendDlgItemMessageW(g_app.shortcutsWindow, IDOK, WM_GETFONT, 0, 0)));
        std::vector<std::pair<HWND, std::wstring>> texts;
        for (HWND child = GetWindow(g_app.shortcutsWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t text[128] = {};
            GetWindowTextW(child, text, 128);
            texts.emplace_back(child, text);
        }
        for (const MessageKey key : {MessageKey::ShortcutsInUse, MessageKey::ShortcutsUsedByOther,
                                     MessageKey::ShortcutsNeedsCtrlOrAlt, MessageKey::ShortcutsTypesCharacter})
            texts.emplace_back(GetDlgItem(g_app.shortcutsWindow, kHiddenShortcutStatusId), UiText(key));
        for (const auto& [control, text] : texts) {
            SIZE size = {};
            RECT room = {};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            GetClientRect(control, &room);
            const bool button = GetDlgCtrlID(control) == kShortcutDefaultsId;
            EXPECT_LE(size.cx + (button ? 12 : 0), room.right) << language.code << ": " << testing::PrintToString(text);
        }
        ReleaseDC(g_app.shortcutsWindow, dc);
        Press(IDCANCEL);
    }
    LoadLanguageTexts(L"EN");
}

// Dark from the start, never in high contrast, untouched before 1903, light when chosen.
TEST_F(DarkAppMode, MenusFollowTheAppMode) {
    seam.highContrast = true;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    seam.highContrast = false;
    seam.windowsBuild = 17763;
    AnnounceColors();
    seam.windowsBuild = 18362;
    AnnounceColors();
    StoreDword(kPersonalizeKeyPath, L"AppsUseLightTheme", 1);
    AnnounceColors();
    EXPECT_EQ(seam.menuAppModes, (std::vector<int>{2, 0, 2, 0}));
}
