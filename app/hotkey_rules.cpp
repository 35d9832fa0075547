#include "app/hotkey_rules.h"

namespace {
constexpr unsigned kVkShift = 0x10;  // VK_SHIFT
constexpr unsigned kVkControl = 0x11;  // VK_CONTROL
constexpr unsigned kVkMenu = 0x12;  // VK_MENU, the Alt key
}  // namespace

std::uint32_t StoredShortcut(std::optional<std::uint32_t> stored, std::uint32_t fallback) {
    if (!stored) return fallback;
    const std::uint32_t word = *stored;
    if (word > 0x0FFFu) return fallback;
    if (ShortcutKey(word) == 0 && word != kNoShortcut) return fallback;
    return word;
}

std::uint32_t DefaultShortcut(int hotkeyId) {
    return hotkeyId == kHotkeyToggleExtensions ? kDefaultExtensionsShortcut : kDefaultHiddenShortcut;
}

unsigned RegisterModifiers(std::uint32_t word) {
    const unsigned flags = ShortcutFlags(word);
    unsigned modifiers = 0;
    if (flags & kHotkeyFlagShift) modifiers |= kModShift;
    if (flags & kHotkeyFlagControl) modifiers |= kModControl;
    if (flags & kHotkeyFlagAlt) modifiers |= kModAlt;
    return modifiers;
}

std::array<unsigned, 4> ShortcutNameKeys(std::uint32_t word) {
    std::array<unsigned, 4> keys = {};
    std::size_t count = 0;
    const unsigned flags = ShortcutFlags(word);
    if (flags & kHotkeyFlagControl) keys[count++] = kVkControl;
    if (flags & kHotkeyFlagAlt) keys[count++] = kVkMenu;
    if (flags & kHotkeyFlagShift) keys[count++] = kVkShift;
    keys[count] = ShortcutKey(word);
    return keys;
}
