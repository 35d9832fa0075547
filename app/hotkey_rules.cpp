#include "app/hotkey_rules.h"

#include "i18n/ui_strings.h"

std::uint32_t StoredShortcut(std::optional<std::uint32_t> stored, std::uint32_t fallback) {
    if (!stored) return fallback;
    const std::uint32_t word = *stored;
    if (word == kNoShortcut) return word;
    if (word > 0x0FFFu || ShortcutKey(word) == 0 || !HasCtrlOrAlt(word)) return fallback;
    return word;
}

std::uint32_t DefaultShortcut(int hotkeyId) {
    return hotkeyId == kHotkeyToggleExtensions ? kDefaultExtensionsShortcut : kDefaultHiddenShortcut;
}

unsigned RegisterModifiers(std::uint32_t word) {
    const unsigned flags = ShortcutFlags(word);
    unsigned modifiers = kModNoRepeat;
    if (flags & kHotkeyFlagShift) modifiers |= kModShift;
    if (flags & kHotkeyFlagControl) modifiers |= kModControl;
    if (flags & kHotkeyFlagAlt) modifiers |= kModAlt;
    return modifiers;
}

bool SameHotkey(std::uint32_t first, std::uint32_t second) {
    if (first == kNoShortcut || second == kNoShortcut) return false;
    return ShortcutKey(first) == ShortcutKey(second) && RegisterModifiers(first) == RegisterModifiers(second);
}

std::wstring ShortcutLabel(std::uint32_t word, const std::wstring& keyName) {
    if (keyName.empty()) return {};
    const unsigned flags = ShortcutFlags(word);
    std::wstring label;
    const auto add = [&label](const wchar_t* name) {
        label += name;
        label += L'+';
    };
    if (flags & kHotkeyFlagControl) add(UiText(MessageKey::KeyCtrl));
    if (flags & kHotkeyFlagAlt) add(UiText(MessageKey::KeyAlt));
    if (flags & kHotkeyFlagShift) add(UiText(MessageKey::KeyShift));
    return label + keyName;
}
