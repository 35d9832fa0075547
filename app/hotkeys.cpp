#include "app/hotkeys.h"

#include "app/platform_calls.h"
#include "explorer/settings_store.h"

namespace {

// ToUnicodeEx's flag (bit 2, Windows 10 1607 and later) that leaves the
// keyboard state as it is; older Windows ignores it.
constexpr UINT kKeepKeyboardState = 0x4;

bool Register(int hotkeyId, std::uint32_t word) {
    if (word == kNoShortcut) return false;
    return g_platform.registerHotKey(g_app.mainWindow, hotkeyId, RegisterModifiers(word), ShortcutKey(word)) != FALSE;
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

// Why a field's word cannot be had, before any key is registered: the rules
// of the words themselves. A changed word only is asked whether it types, as
// one kept from before may have been chosen on another layout.
ShortcutRefusal RuleRefusal(const std::uint32_t (&words)[kShortcutCount], int index, bool changed) {
    const std::uint32_t word = words[index];
    if (word == kNoShortcut) return ShortcutRefusal::None;
    if (!HasCtrlOrAlt(word)) return ShortcutRefusal::NeedsCtrlOrAlt;
    if (index == 1 && SameHotkey(words[0], words[1])) return ShortcutRefusal::UsedByOther;
    if (changed && ShortcutTypesCharacter(word)) return ShortcutRefusal::TypesCharacter;
    return ShortcutRefusal::None;
}

// What a change of the shortcuts has to know to be undone.
struct ShortcutChange {
    std::uint32_t old[kShortcutCount] = {};
    bool changed[kShortcutCount] = {};
    bool taken[kShortcutCount] = {};  // the new key is registered
};

// RegisterHotKey refuses a key that this window holds under the other id,
// so every changed shortcut lets go of its old key before any new one is
// asked for: then two fields may swap their keys. False when a new key is
// held by another program; that field's refusal says so.
bool TakeNewKeys(const std::uint32_t (&words)[kShortcutCount], ShortcutChange& change,
                 ShortcutRefusal (&refusals)[kShortcutCount]) {
    for (int i = 0; i < kShortcutCount; ++i) {
        if (change.changed[i] && g_app.shortcuts[i].registered) UnregisterHotKey(g_app.mainWindow, i + 1);
    }
    bool all = true;
    for (int i = 0; i < kShortcutCount; ++i) {
        if (!change.changed[i] || words[i] == kNoShortcut) continue;
        change.taken[i] = Register(i + 1, words[i]);
        if (!change.taken[i]) refusals[i] = ShortcutRefusal::InUse;
        all = all && change.taken[i];
    }
    return all;
}

// Undoes TakeNewKeys: the new keys are let go first, then each old key is
// taken back under its own id. This program released the old keys a moment
// ago, so only another program that took one in between keeps it; the state
// then says that it is not registered.
void PutOldKeysBack(const ShortcutChange& change) {
    for (int i = 0; i < kShortcutCount; ++i) {
        if (change.taken[i]) UnregisterHotKey(g_app.mainWindow, i + 1);
    }
    for (int i = 0; i < kShortcutCount; ++i) {
        if (change.changed[i]) Take(i + 1, change.old[i]);
    }
}

}  // namespace

Shortcut& ShortcutOf(int hotkeyId) { return g_app.shortcuts[hotkeyId == kHotkeyToggleExtensions ? 1 : 0]; }

void RegisterStoredShortcuts() {
    for (int id : {kHotkeyToggleHidden, kHotkeyToggleExtensions}) Take(id, ReadShortcutSetting(id));
}

bool ChangeShortcuts(const std::uint32_t (&words)[kShortcutCount], ShortcutRefusal (&refusals)[kShortcutCount]) {
    ShortcutChange change;
    bool refused = false;
    for (int i = 0; i < kShortcutCount; ++i) {
        change.old[i] = g_app.shortcuts[i].word;
        change.changed[i] = words[i] != change.old[i];
        refusals[i] = RuleRefusal(words, i, change.changed[i]);
        refused = refused || refusals[i] != ShortcutRefusal::None;
    }
    if (refused) return false;
    if (!TakeNewKeys(words, change, refusals)) {
        PutOldKeysBack(change);
        return false;
    }
    for (int i = 0; i < kShortcutCount; ++i) {
        Shortcut& shortcut = g_app.shortcuts[i];
        if (!change.changed[i]) {
            if (!shortcut.registered) shortcut.registered = Register(i + 1, shortcut.word);
            continue;
        }
        shortcut.word = words[i];
        shortcut.registered = words[i] != kNoShortcut;
        WriteShortcutSetting(i + 1, words[i]);
    }
    return true;
}

bool ShortcutTypesCharacter(std::uint32_t word) {
    const unsigned flags = ShortcutFlags(word);
    if ((flags & kHotkeyFlagControl) == 0 || (flags & kHotkeyFlagAlt) == 0) return false;
    // The layout the user types with now: the one of the thread in front.
    const HWND front = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    keys[VK_MENU] = 0x80;
    if (flags & kHotkeyFlagShift) keys[VK_SHIFT] = 0x80;
    const UINT vk = ShortcutKey(word);
    const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout);
    wchar_t typed[8] = {};
    const int count = g_platform.toUnicode(vk, scan, keys, typed, 8, kKeepKeyboardState, layout);
    if (count < 0) {
        // A dead key (an accent that waits for its letter) types too. Before
        // Windows 10 1607 it stays in the layout's state, where it would
        // change the user's next character; a second translation uses it up.
        g_platform.toUnicode(vk, scan, keys, typed, 8, kKeepKeyboardState, layout);
        return true;
    }
    for (int i = 0; i < count && i < 8; ++i) {
        if (typed[i] >= 0x20 && typed[i] != 0x7F) return true;  // control characters type nothing
    }
    return false;
}

std::wstring ShortcutName(std::uint32_t word) {
    const bool extended = (ShortcutFlags(word) & kHotkeyFlagExtended) != 0;
    return ShortcutLabel(word, KeyName(ShortcutKey(word), extended));
}

std::wstring WorkingShortcutName(int hotkeyId) {
    const Shortcut& shortcut = ShortcutOf(hotkeyId);
    if (shortcut.word == kNoShortcut || !shortcut.registered) return {};
    return ShortcutName(shortcut.word);
}
