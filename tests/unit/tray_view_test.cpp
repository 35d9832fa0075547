#include <gtest/gtest.h>

#include <string>

#include "i18n/catalog.h"
#include "tray/commands.h"
#include "tray/tray_view.h"

TEST(TrayView, TooltipAndIconPerState) {
    const struct {
        bool hiddenVisible;
        bool includeSystem;
        MessageKey tooltip;
        int icon;
        const wchar_t* english;
    } cases[] = {
        {false, false, MessageKey::TipHiddenHidden, 107, L"Hidden files: HIDDEN"},
        {false, true, MessageKey::TipHiddenHidden, 107, L"Hidden files: HIDDEN"},
        {true, false, MessageKey::TipHiddenVisible, 110, L"Hidden files: VISIBLE"},
        {true, true, MessageKey::TipHiddenSystemVisible, 110, L"Hidden and system files: VISIBLE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "visible " << c.hiddenVisible << " system " << c.includeSystem);
        EXPECT_EQ(TooltipKey(c.hiddenVisible, c.includeSystem), c.tooltip);
        EXPECT_EQ(StateIconId(c.hiddenVisible), c.icon);
        EXPECT_EQ(std::wstring(CatalogText(Language::English, TooltipKey(c.hiddenVisible, c.includeSystem))),
                  c.english);
    }
}

TEST(TrayView, IdentifiersOfTheIconAndCommands) {
    EXPECT_EQ(WM_TRAYICON, 0x0401u);
    EXPECT_EQ(TRAY_ICON_ID, 1u);
}

// Eleven items in a fixed order; only the two toggles' texts and the two check
// marks depend on the state, and no item is ever grayed, disabled or default.
// The two toggles carry their shortcuts' names.
TEST(TrayView, ContextMenuForEveryState) {
    for (int state = 0; state < 16; ++state) {
        const bool hiddenVisible = (state & 1) != 0;
        const bool includeSystem = (state & 2) != 0;
        const bool extensionsVisible = (state & 4) != 0;
        const bool dotFoldersHidden = (state & 8) != 0;
        SCOPED_TRACE(testing::Message() << "visible " << hiddenVisible << " system " << includeSystem << " extensions "
                                        << extensionsVisible << " dot folders " << dotFoldersHidden);
        const struct {
            unsigned flags;
            unsigned id;
            const wchar_t* english;  // null for a separator
            int hotkey = 0;
        } expected[kContextMenuItemCount] = {
            {0x0000, 1002, hiddenVisible ? L"Hide hidden files" : L"Show hidden files", 1},
            {includeSystem ? 0x0008u : 0x0000u, 1003, L"Include protected system files"},
            {dotFoldersHidden ? 0x0008u : 0x0000u, 1009, L"Treat dot folders as hidden"},
            {0x0800, 0, nullptr},
            {0x0000, 1004, extensionsVisible ? L"Hide file extensions" : L"Show file extensions", 2},
            {0x0800, 0, nullptr},
            {0x0000, 1005, L"Settings"},
            {0x0000, 1007, L"Keyboard shortcuts"},
            {0x0000, 1006, L"User Guide"},
            {0x0800, 0, nullptr},
            {0x0000, 1001, L"Exit"},
        };
        const auto items = ContextMenuItems(hiddenVisible, includeSystem, extensionsVisible, dotFoldersHidden);
        for (std::size_t i = 0; i < kContextMenuItemCount; ++i) {
            EXPECT_EQ(items[i].flags, expected[i].flags) << "position " << i + 1;
            EXPECT_EQ(items[i].id, expected[i].id) << "position " << i + 1;
            EXPECT_EQ(items[i].hotkey, expected[i].hotkey) << "position " << i + 1;
            if (expected[i].english == nullptr) continue;
            ASSERT_LT(static_cast<std::size_t>(items[i].text), kMessageKeyCount) << "position " << i + 1;
            EXPECT_EQ(std::wstring(CatalogText(Language::English, items[i].text)), expected[i].english)
                << "position " << i + 1;
        }
    }
}

// A menu reads "&" as a mnemonic mark, after the tab too: AZERTY names its "1" key "&".
TEST(TrayView, MenuItemTextDoublesTheAmpersandOfAKeyName) {
    EXPECT_EQ(MenuItemText(L"Show hidden files", L"Ctrl+Alt+&"), L"Show hidden files\tCtrl+Alt+&&");
    EXPECT_EQ(MenuItemText(L"Exit", L""), L"Exit");
}
