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

// The OK of the shortcuts window, with the fields' words by hotkey id - 1.
// Each changed shortcut: the old one is released, the new one registered
// and stored (none: 0 stored). A new one that cannot be had (another program
// holds it, or the other field has the same keys) gives the old one back and
// stores nothing. An unchanged one that is not registered is tried again.
// took tells, per field, whether it now holds what was asked for.
void ChangeShortcuts(const std::uint32_t (&words)[kShortcutCount], bool (&took)[kShortcutCount]);

// The shortcut's name as the user's keyboard prints it ("Alt+." on a US
// layout); empty when a key has no name.
std::wstring ShortcutName(std::uint32_t word);

// The name of the shortcut when it works: empty when it is off or not registered.
std::wstring WorkingShortcutName(int hotkeyId);
