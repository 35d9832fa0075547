// The two shortcuts as they are stored: the word a hotkey control gives
// (HKM_GETHOTKEY), and what RegisterHotKey and a menu make of it. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The shortcuts' ids with RegisterHotKey; also their index + 1 in AppState.
inline constexpr int kHotkeyToggleHidden = 1;
inline constexpr int kHotkeyToggleExtensions = 2;
inline constexpr int kShortcutCount = 2;

// A hotkey control's word: the virtual-key code in the low byte, these in the second.
inline constexpr unsigned kHotkeyFlagShift = 0x01;  // HOTKEYF_SHIFT
inline constexpr unsigned kHotkeyFlagControl = 0x02;  // HOTKEYF_CONTROL
inline constexpr unsigned kHotkeyFlagAlt = 0x04;  // HOTKEYF_ALT
inline constexpr unsigned kHotkeyFlagExtended = 0x08;  // HOTKEYF_EXT: an extended key; no modifier

// RegisterHotKey's modifiers: Alt and Shift lie the other way round.
inline constexpr unsigned kModAlt = 0x0001;  // MOD_ALT
inline constexpr unsigned kModControl = 0x0002;  // MOD_CONTROL
inline constexpr unsigned kModShift = 0x0004;  // MOD_SHIFT
inline constexpr unsigned kModNoRepeat = 0x4000;  // MOD_NOREPEAT: a held key gives one WM_HOTKEY

inline constexpr std::uint32_t kNoShortcut = 0;
inline constexpr std::uint32_t kDefaultHiddenShortcut = 0x04BE;  // Alt+.
inline constexpr std::uint32_t kDefaultExtensionsShortcut = 0x05BE;  // Alt+Shift+.

// The word's key code and its modifier flags (HOTKEYF_).
inline constexpr unsigned ShortcutKey(std::uint32_t word) { return word & 0xFFu; }
inline constexpr unsigned ShortcutFlags(std::uint32_t word) { return (word >> 8) & 0xFFu; }

// Whether the word holds Ctrl or Alt: without either, a shortcut would take
// a key, or Shift and a key, from every program's typing.
inline constexpr bool HasCtrlOrAlt(std::uint32_t word) {
    return (ShortcutFlags(word) & (kHotkeyFlagControl | kHotkeyFlagAlt)) != 0;
}

// The shortcut a stored value gives: 0 (none) or a word with a key code, Ctrl
// or Alt, and no bits above 0x0FFF as it is; no value (absent, another type
// or size), more bits, no key or neither Ctrl nor Alt give the default.
std::uint32_t StoredShortcut(std::optional<std::uint32_t> stored, std::uint32_t fallback);

// The default shortcut of a hotkey id.
std::uint32_t DefaultShortcut(int hotkeyId);

// RegisterHotKey's modifiers for the word's flags, always with MOD_NOREPEAT,
// so that a held key flips its setting once; HOTKEYF_EXT is dropped.
unsigned RegisterModifiers(std::uint32_t word);

// Whether two fields' words ask RegisterHotKey for the same keys: it does not
// see the extended flag, so Enter and the number pad's Enter are one key.
bool SameHotkey(std::uint32_t first, std::uint32_t second);

// A shortcut's name in the interface's language: the modifiers' names (Ctrl,
// Alt, Shift, in that order) and then the key's name as the keyboard layout
// gives it, joined by "+"; empty when the key has no name.
std::wstring ShortcutLabel(std::uint32_t word, const std::wstring& keyName);
