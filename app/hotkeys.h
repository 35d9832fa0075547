// The two global shortcuts on the main window: registered from the stored
// values at start, changed from the shortcuts window, named in the menu.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "app/hotkey_rules.h"

// The state of a shortcut by its hotkey id.
Shortcut& ShortcutOf(int hotkeyId);

// Reads both stored shortcuts and registers them on the main window (the
// calling thread when there is none). A combination another program holds
// stays without effect, silently; the state remembers it.
void RegisterStoredShortcuts();

// Why the OK of the shortcuts window refuses a field's shortcut.
enum class ShortcutRefusal {
    None,
    InUse,  // another program holds it
    UsedByOther,  // the other field asks for the same keys
    NeedsCtrlOrAlt,  // a key alone, or with Shift alone, would take the user's typing
    TypesCharacter,  // Ctrl+Alt is AltGr on the keyboard layout, and the keys type a character
};

// The OK of the shortcuts window, with the fields' words by hotkey id - 1.
// All or nothing: when every new shortcut can be had, each changed one is
// registered and stored (none: 0 stored), an unchanged one that is not
// registered is tried again, and the result is true. Otherwise every
// shortcut keeps its old key, working as before, nothing is stored, each
// refused field gets its reason and the result is false.
bool ChangeShortcuts(const std::uint32_t (&words)[kShortcutCount], ShortcutRefusal (&refusals)[kShortcutCount]);

// Whether Ctrl+Alt(+Shift) and the key type a character on the keyboard
// layout of the window in front, where Windows takes Ctrl+Alt as AltGr.
// Other combinations never do.
bool ShortcutTypesCharacter(std::uint32_t word);

// The shortcut's name for the menu: the modifiers in the interface's language,
// the key as the user's keyboard layout names it ("Strg+Alt+H" in German);
// empty when the key has no name.
std::wstring ShortcutName(std::uint32_t word);

// The name of the shortcut when it works: empty when it is off or not registered.
std::wstring WorkingShortcutName(int hotkeyId);
