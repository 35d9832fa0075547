#include "app/hotkeys.h"

#include "explorer/settings_store.h"

namespace {

bool Register(int hotkeyId, std::uint32_t word) {
    if (word == kNoShortcut) return false;
    return RegisterHotKey(g_app.mainWindow, hotkeyId, RegisterModifiers(word), ShortcutKey(word)) != FALSE;
}

// Registers the word and remembers whether that worked.
void Take(int hotkeyId, std::uint32_t word) {
    Shortcut& shortcut = ShortcutOf(hotkeyId);
    shortcut.word = word;
    shortcut.registered = Register(hotkeyId, word);
}

std::wstring KeyName(unsigned vk, bool extended) {
    LONG scan = static_cast<LONG>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    // The arrows, Insert, Home and the like share their scan codes with the
    // number pad; the extended bit names the right ones.
    if (extended) scan |= 1L << 24;
    wchar_t name[64] = {};
    const int length = GetKeyNameTextW(scan, name, 64);
    return {name, length > 0 ? static_cast<std::size_t>(length) : 0};
}

}  // namespace

Shortcut& ShortcutOf(int hotkeyId) { return g_app.shortcuts[hotkeyId == kHotkeyToggleExtensions ? 1 : 0]; }

void RegisterStoredShortcuts() {
    for (int id : {kHotkeyToggleHidden, kHotkeyToggleExtensions}) Take(id, ReadShortcutSetting(id));
}

void ChangeShortcuts(const std::uint32_t (&words)[kShortcutCount], bool (&took)[kShortcutCount]) {
    const std::uint32_t old[kShortcutCount] = {g_app.shortcuts[0].word, g_app.shortcuts[1].word};
    // All changed ones are released first, so that two fields may swap their keys.
    for (int i = 0; i < kShortcutCount; ++i) {
        if (words[i] != old[i]) UnregisterHotKey(g_app.mainWindow, i + 1);
    }
    for (int i = 0; i < kShortcutCount; ++i) {
        const int id = i + 1;
        Shortcut& shortcut = g_app.shortcuts[i];
        if (words[i] == old[i]) {
            if (!shortcut.registered) shortcut.registered = Register(id, words[i]);
            took[i] = true;
            continue;
        }
        const bool sameAsOther = words[i] != kNoShortcut && words[i] == words[1 - i];
        took[i] = words[i] == kNoShortcut || (!sameAsOther && Register(id, words[i]));
        if (!took[i]) continue;
        shortcut.word = words[i];
        shortcut.registered = words[i] != kNoShortcut;
        WriteShortcutSetting(id, words[i]);
    }
    // The old ones back, once every new one has had its turn.
    for (int i = 0; i < kShortcutCount; ++i) {
        if (!took[i]) Take(i + 1, old[i]);
    }
}

std::wstring ShortcutName(std::uint32_t word) {
    const bool extended = (ShortcutFlags(word) & kHotkeyFlagExtended) != 0;
    const auto keys = ShortcutNameKeys(word);
    std::wstring name;
    for (std::size_t i = 0; i < keys.size() && keys[i] != 0; ++i) {
        const bool isKey = i + 1 == keys.size() || keys[i + 1] == 0;  // the modifiers come first
        const std::wstring part = KeyName(keys[i], extended && isKey);
        if (part.empty()) return {};
        if (!name.empty()) name += L'+';
        name += part;
    }
    return name;
}

std::wstring WorkingShortcutName(int hotkeyId) {
    const Shortcut& shortcut = ShortcutOf(hotkeyId);
    if (shortcut.word == kNoShortcut || !shortcut.registered) return {};
    return ShortcutName(shortcut.word);
}
