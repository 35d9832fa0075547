// The notification-area icon and its menu, with the shell calls recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/main_window.h"
#include "i18n/language.h"
#include "support/program_fixture.h"
#include "tray/commands.h"
#include "tray/tray_icon.h"

namespace {

// The width and height of an icon's colour bitmap, 0 when there is none.
int IconPixels(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP colour = {};
    const int read = info.hbmColor ? GetObjectW(info.hbmColor, sizeof colour, &colour) : 0;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return read && colour.bmWidth == colour.bmHeight ? colour.bmWidth : 0;
}

class Tray : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        ProgramTest::TearDown();
    }
    // A tray that has been created and added, with the recordings cleared.
    void CreateAndAdd(TrayIcon& tray) {
        ASSERT_TRUE(tray.Create(owner));
        ASSERT_TRUE(tray.Add());
        seam.notifyIcons.clear();
    }
    HWND owner = nullptr;
};

}  // namespace

TEST_F(Tray, CreatePreparesTheIconRecordAndAddSendsIt) {
    TrayIcon tray;
    EXPECT_FALSE(tray.Add());  // not created: nothing is sent
    EXPECT_TRUE(seam.notifyIcons.empty());

    ASSERT_TRUE(tray.Create(owner));
    EXPECT_TRUE(tray.created);
    EXPECT_EQ(tray.ownerWindow, owner);
    EXPECT_NE(tray.currentIcon, nullptr);
    EXPECT_FALSE(IconShowsVisibleFiles(tray.currentIcon));
    EXPECT_TRUE(seam.notifyIcons.empty());

    ASSERT_TRUE(tray.Add());
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    const NotifyIconCall& add = seam.notifyIcons[0];
    EXPECT_EQ(add.message, DWORD{NIM_ADD});
    EXPECT_EQ(add.data.cbSize, 976u);
    EXPECT_EQ(add.data.hWnd, owner);
    EXPECT_EQ(add.data.uID, 1u);
    EXPECT_EQ(add.data.uFlags, 0x17u);
    EXPECT_EQ(add.data.uCallbackMessage, 0x0401u);
    EXPECT_EQ(add.data.hIcon, tray.currentIcon);
    EXPECT_STREQ(add.data.szTip, L"");
    EXPECT_STREQ(add.data.szInfo, L"");
    EXPECT_EQ(add.data.dwInfoFlags, 0u);
    EXPECT_EQ(add.data.uVersion, 0u);

    seam.notifyIconResult = FALSE;
    EXPECT_FALSE(tray.Add());
}

TEST_F(Tray, UpdateShowsEachStateWithOneFlagAtATime) {
    const struct {
        bool hidden, system;
        const wchar_t* tip;
        bool visiblePicture;
    } states[] = {
        {true, true, L"Hidden and system files: VISIBLE", true},
        {true, false, L"Hidden files: VISIBLE", true},
        {false, true, L"Hidden files: HIDDEN", false},
        {false, false, L"Hidden files: HIDDEN", false},
    };
    TrayIcon tray;
    CreateAndAdd(tray);
    for (const auto& state : states) {
        SCOPED_TRACE(state.tip);
        seam.notifyIcons.clear();
        const HICON old = tray.currentIcon;
        tray.Update(state.hidden, state.system);
        ASSERT_EQ(seam.notifyIcons.size(), 2u);
        EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_MODIFY});
        EXPECT_EQ(seam.notifyIcons[0].data.uFlags, UINT{NIF_TIP});
        EXPECT_STREQ(seam.notifyIcons[0].data.szTip, state.tip);
        EXPECT_EQ(seam.notifyIcons[1].message, DWORD{NIM_MODIFY});
        EXPECT_EQ(seam.notifyIcons[1].data.uFlags, UINT{NIF_ICON});
        EXPECT_EQ(seam.notifyIcons[1].data.hIcon, tray.currentIcon);
        EXPECT_EQ(IconShowsVisibleFiles(tray.currentIcon), state.visiblePicture);
        // Loaded afresh every time; the old handle is gone.
        EXPECT_NE(tray.currentIcon, old);
        EXPECT_FALSE(IconAlive(old));
    }

    // The tooltip follows the language only at the next update.
    SetLanguage(L"DE");
    tray.Update(false, false);
    EXPECT_STRNE(tray.nid.szTip, L"Hidden files: HIDDEN");
}

TEST_F(Tray, BalloonsAreCutToTheirFieldsAndSetTheMark) {
    TrayIcon tray;
    tray.ShowBalloon(L"title", L"text", true);  // not created
    EXPECT_FALSE(tray.updateClickPending);
    EXPECT_TRUE(seam.notifyIcons.empty());

    CreateAndAdd(tray);
    const std::wstring longTitle(100, L'T');
    const std::wstring longText(400, L'x');
    tray.ShowBalloon(longTitle.c_str(), longText.c_str(), true);
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    const NOTIFYICONDATAW& data = seam.notifyIcons[0].data;
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(data.uFlags, UINT{NIF_INFO});
    EXPECT_EQ(data.dwInfoFlags, 0x20u);
    EXPECT_EQ(std::wstring(data.szInfoTitle), std::wstring(63, L'T'));
    EXPECT_EQ(std::wstring(data.szInfo), std::wstring(255, L'x'));
    EXPECT_TRUE(tray.updateClickPending);

    tray.ShowBalloon(nullptr, L"text", false);
    tray.ShowBalloon(L"title", nullptr, false);
    EXPECT_TRUE(tray.updateClickPending);  // ignored calls leave the mark
    EXPECT_EQ(seam.notifyIcons.size(), 1u);

    tray.ShowBalloon(L"Veilux", L"A new version of Veilux is available.\nClick", false);
    EXPECT_FALSE(tray.updateClickPending);
    EXPECT_STREQ(seam.notifyIcons.back().data.szInfo, L"A new version of Veilux is available.\nClick");
}

TEST_F(Tray, RemoveDeletesOnceAndForgetsEverything) {
    TrayIcon tray;
    CreateAndAdd(tray);
    const HICON icon = tray.currentIcon;
    tray.Remove();
    tray.Remove();
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_DELETE});
    EXPECT_EQ(seam.notifyIcons[0].data.hWnd, owner);
    EXPECT_EQ(seam.notifyIcons[0].data.uID, 1u);
    EXPECT_FALSE(IconAlive(icon));
    EXPECT_FALSE(tray.created);
    EXPECT_EQ(tray.currentIcon, nullptr);
    EXPECT_EQ(tray.ownerWindow, nullptr);
    EXPECT_EQ(tray.nid.cbSize, 0u);
    tray.Update(true, true);
    EXPECT_EQ(seam.notifyIcons.size(), 1u);
}

TEST_F(Tray, AddAgainRestoresPictureAndTooltipWithoutTheBalloon) {
    TrayIcon tray;
    CreateAndAdd(tray);
    tray.Update(true, false);
    tray.ShowBalloon(L"Veilux", L"started", false);
    seam.notifyIcons.clear();
    EXPECT_TRUE(tray.AddAgain());
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_ADD});
    EXPECT_EQ(seam.notifyIcons[0].data.uFlags, UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
    EXPECT_STREQ(seam.notifyIcons[0].data.szTip, L"Hidden files: VISIBLE");
    EXPECT_EQ(seam.notifyIcons[0].data.hIcon, tray.currentIcon);
    // A shell that times out on the add yet takes the icon counts, as at the first add.
    seam.notifyIcons.clear();
    seam.notifyIconAddResult = FALSE;
    EXPECT_TRUE(tray.AddAgain());
    ASSERT_EQ(seam.notifyIcons.size(), 2u);
    EXPECT_EQ(seam.notifyIcons[1].message, DWORD{NIM_MODIFY});
    seam.notifyIconResult = FALSE;
    EXPECT_FALSE(tray.AddAgain());
    tray.Remove();
    EXPECT_FALSE(tray.AddAgain());
}

TEST_F(Tray, MenuHoldsElevenEnabledItemsInTheCurrentLanguage) {
    TrayIcon tray;
    tray.ShowContextMenu(true, true, true, true);  // not created: no menu
    EXPECT_TRUE(seam.popupMenus.empty());
    CreateAndAdd(tray);

    const struct {
        bool hidden, system, extensions, dotFolders;
        const wchar_t* first;
        const wchar_t* fourth;
    } states[] = {
        {true, true, true, true, L"Hide hidden files", L"Hide file extensions"},
        {false, false, false, false, L"Show hidden files", L"Show file extensions"},
    };
    for (const auto& state : states) {
        seam.popupMenus.clear();
        tray.ShowContextMenu(state.hidden, state.system, state.extensions, state.dotFolders);
        ASSERT_EQ(seam.popupMenus.size(), 1u);
        const TrackPopupMenuCall& call = seam.popupMenus[0];
        EXPECT_EQ(call.flags, 0x0020u);
        EXPECT_EQ(call.owner, owner);
        EXPECT_TRUE(call.rectNull);
        ASSERT_EQ(call.items.size(), 11u);
        const UINT ids[11] = {IDM_TOGGLE_HIDDEN,
                              IDM_TOGGLE_SYSTEM_FILES,
                              IDM_TOGGLE_DOT_FOLDERS,
                              0,
                              IDM_TOGGLE_EXTENSIONS,
                              0,
                              IDM_SETTINGS,
                              IDM_SHORTCUTS,
                              IDM_USER_GUIDE,
                              0,
                              IDM_EXIT};
        const wchar_t* texts[11] = {state.first,
                                    L"Include protected system files",
                                    L"Treat dot folders as hidden",
                                    L"",
                                    state.fourth,
                                    L"",
                                    L"Settings",
                                    L"Keyboard shortcuts",
                                    L"User Guide",
                                    L"",
                                    L"Exit"};
        for (int i = 0; i < 11; ++i) {
            SCOPED_TRACE(i);
            const bool separator = ids[i] == 0;
            EXPECT_EQ((call.items[i].type & MFT_SEPARATOR) != 0, separator);
            EXPECT_EQ(call.items[i].text, texts[i]);
            if (!separator) {
                EXPECT_EQ(call.items[i].id, ids[i]);
                EXPECT_EQ(call.items[i].state & (MFS_DISABLED | MFS_GRAYED | MFS_DEFAULT), 0u);
            }
        }
        EXPECT_EQ((call.items[1].state & MFS_CHECKED) != 0, state.system);
        EXPECT_EQ((call.items[2].state & MFS_CHECKED) != 0, state.dotFolders);
    }

    SetLanguage(L"RU");
    seam.popupMenus.clear();
    tray.ShowContextMenu(false, true, false, false);
    ASSERT_EQ(seam.popupMenus.size(), 1u);
    EXPECT_EQ(seam.popupMenus[0].items[10].text, L"Выход");
}

// The shell draws the icon at its small-icon size: the handle is of exactly
// that size, at the DPI the process runs at (this test also runs with the
// prefix at 144 DPI) and after a change of scale.
TEST_F(Tray, IconIsLoadedAtTheSmallIconSizeOfTheDisplayScale) {
    TrayIcon tray;
    CreateAndAdd(tray);
    EXPECT_EQ(IconPixels(tray.currentIcon), GetSystemMetrics(SM_CXSMICON));
    tray.Update(true, false);
    EXPECT_EQ(IconPixels(tray.currentIcon), GetSystemMetrics(SM_CXSMICON));
    EXPECT_FALSE(tray.FollowDisplayScale());  // the same scale: nothing loaded, nothing sent
    EXPECT_EQ(seam.notifyIcons.size(), 2u);

    // 200 %: the picture of the state at 32 px, the old handle gone.
    seam.notifyIcons.clear();
    seam.dpi = 192;
    const HICON old = tray.currentIcon;
    EXPECT_TRUE(tray.FollowDisplayScale());
    EXPECT_EQ(IconPixels(tray.currentIcon), 32);
    EXPECT_TRUE(IconShowsVisibleFiles(tray.currentIcon));
    EXPECT_FALSE(IconAlive(old));
    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(seam.notifyIcons[0].data.uFlags, UINT{NIF_ICON});
    EXPECT_EQ(seam.notifyIcons[0].data.hIcon, tray.currentIcon);

    // A new taskbar after a change to 125 %: added again with the 20 px frame,
    // and modified where the icon is still there.
    seam.notifyIcons.clear();
    seam.dpi = 120;
    seam.notifyIconAddResult = FALSE;
    EXPECT_TRUE(tray.AddAgain());
    ASSERT_EQ(seam.notifyIcons.size(), 2u);
    EXPECT_EQ(seam.notifyIcons[0].message, DWORD{NIM_ADD});
    EXPECT_EQ(seam.notifyIcons[1].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(seam.notifyIcons[0].data.hIcon, tray.currentIcon);
    EXPECT_EQ(IconPixels(tray.currentIcon), 20);
    EXPECT_TRUE(IconShowsVisibleFiles(tray.currentIcon));
}

TEST_F(Tray, TheMainWindowHearsOfANewScale) {
    g_app.tray = std::make_unique<TrayIcon>();
    CreateAndAdd(*g_app.tray);
    seam.dpi = 192;
    MainWndProc(owner, WM_DPICHANGED, MAKEWPARAM(192, 192), 0);
    EXPECT_EQ(IconPixels(g_app.tray->currentIcon), 32);
    seam.dpi = 120;
    MainWndProc(owner, WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
    EXPECT_EQ(IconPixels(g_app.tray->currentIcon), 20);
    EXPECT_EQ(seam.notifyIcons.size(), 2u);
    g_app.tray.reset();
}
