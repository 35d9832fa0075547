#include <gtest/gtest.h>

#include <array>

#include "app/hotkey_rules.h"

// The word's Shift and Alt lie the other way round in RegisterHotKey's
// modifiers; the extended-key flag is no modifier, and no repeat flag is added.
TEST(HotkeyRules, ModifiersForRegisterHotKey) {
    const struct {
        std::uint32_t word;
        unsigned modifiers;
    } cases[] = {
        {0x04BE, 0x0001},  // Alt+.
        {0x05BE, 0x0005},  // Alt+Shift+.
        {0x0248, 0x0002},  // Ctrl+H
        {0x0148, 0x0004},  // Shift+H
        {0x0F26, 0x0007},  // Ctrl+Alt+Shift+Up, extended
        {0x0026, 0x0000},
    };
    for (const auto& c : cases) EXPECT_EQ(RegisterModifiers(c.word), c.modifiers) << std::hex << c.word;
}

TEST(HotkeyRules, StoredValuesAndTheirDefaults) {
    EXPECT_EQ(DefaultShortcut(kHotkeyToggleHidden), 0x04BEu);
    EXPECT_EQ(DefaultShortcut(kHotkeyToggleExtensions), 0x05BEu);
    const struct {
        std::optional<std::uint32_t> stored;
        std::uint32_t expected;
    } cases[] = {
        {std::nullopt, 0x05BE},  // absent, or of another type or size
        {0, 0},  // no shortcut
        {0x0648, 0x0648},  // Ctrl+Alt+H
        {0x0E2E, 0x0E2E},  // Ctrl+Alt+Delete, extended: the flag is kept
        {0x1000, 0x05BE},  // bits above 0x0FFF
        {0x0600, 0x05BE},  // modifiers without a key
        {0x0800, 0x05BE},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredShortcut(c.stored, 0x05BE), c.expected);
}

TEST(HotkeyRules, NamesListCtrlAltShiftThenTheKey) {
    EXPECT_EQ(ShortcutNameKeys(0x04BE), (std::array<unsigned, 4>{0x12, 0xBE, 0, 0}));
    EXPECT_EQ(ShortcutNameKeys(0x0F26), (std::array<unsigned, 4>{0x11, 0x12, 0x10, 0x26}));
}
