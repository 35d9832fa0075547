#include <gtest/gtest.h>

#include "app/hotkey_rules.h"
#include "i18n/ui_strings.h"

// The word's Shift and Alt lie the other way round in RegisterHotKey's
// modifiers; the extended-key flag is no modifier, and MOD_NOREPEAT is always
// there, so that a held key flips its setting once.
TEST(HotkeyRules, ModifiersForRegisterHotKey) {
    const struct {
        std::uint32_t word;
        unsigned modifiers;
    } cases[] = {
        {0x04BE, 0x4001},  // Alt+.
        {0x05BE, 0x4005},  // Alt+Shift+.
        {0x0248, 0x4002},  // Ctrl+H
        {0x0148, 0x4004},  // Shift+H
        {0x0F26, 0x4007},  // Ctrl+Alt+Shift+Up, extended
        {0x0026, 0x4000},
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
        {0x1648, 0x05BE},  // bits above 0x0FFF beside a whole Ctrl+Alt+H
        {0x0041, 0x05BE},  // the A key alone: it would take A from every program
        {0x0941, 0x05BE},  // extended Shift+A likewise
        {0x0241, 0x0241},  // Ctrl+A
        {0x0600, 0x05BE},  // modifiers without a key
        {0x0800, 0x05BE},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredShortcut(c.stored, 0x05BE), c.expected);
}

// The program's own clash: RegisterHotKey does not see the extended flag.
TEST(HotkeyRules, SameKeysForRegisterHotKey) {
    EXPECT_TRUE(SameHotkey(0x060D, 0x0E0D));  // Ctrl+Alt+Enter and the number pad's Enter
    EXPECT_FALSE(SameHotkey(0x060D, 0x070D));
    EXPECT_FALSE(SameHotkey(0, 0));  // two empty fields clash with nothing
}

// Ctrl, Alt, Shift in that order, in the interface's language, then the key.
TEST(HotkeyRules, NamesInTheInterfacesLanguage) {
    LoadLanguageTexts(L"DE");
    EXPECT_EQ(ShortcutLabel(0x07BE, L"."), L"Strg+Alt+Umschalt+.");
    LoadLanguageTexts(L"EN");
    EXPECT_EQ(ShortcutLabel(0x0648, L"H"), L"Ctrl+Alt+H");
    EXPECT_EQ(ShortcutLabel(0x0648, L""), L"");  // a key without a name: no name at all
}
