// What the tray shows for a state: tooltip, icon and menu items. Portable.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "i18n/catalog.h"
#include "res/resource.h"

inline constexpr int kIconHiddenFilesHidden = IDI_APP;
inline constexpr int kIconHiddenFilesVisible = IDI_TRAY_VISIBLE;

MessageKey TooltipKey(bool hiddenVisible, bool includeSystemFiles);
int StateIconId(bool hiddenVisible);

// Menu item flags, with the values of the Windows menu API.
inline constexpr unsigned kMenuString = 0x0000;  // MF_STRING
inline constexpr unsigned kMenuChecked = 0x0008;  // MF_CHECKED
inline constexpr unsigned kMenuSeparator = 0x0800;  // MF_SEPARATOR

struct MenuItem {
    unsigned flags;
    unsigned id;  // 0 for a separator
    MessageKey text;  // ignored for a separator
    int hotkey = 0;  // the shortcut whose name follows the text, 0 for none
};

inline constexpr std::size_t kContextMenuItemCount = 11;
std::array<MenuItem, kContextMenuItemCount> ContextMenuItems(bool hiddenVisible, bool includeSystemFiles,
                                                             bool extensionsVisible, bool dotFoldersHidden);

// Once a check has found a newer release, the menu opens with the offer and a
// separator, ahead of the items above.
inline constexpr std::size_t kUpdateOfferItemCount = 2;
std::array<MenuItem, kUpdateOfferItemCount> UpdateOfferItems();

// A menu item's text: the item's words, then a tab and the shortcut's name
// when it has one. A menu reads "&" as a mnemonic mark, after the tab too, so
// every "&" of the name is doubled (AZERTY's "1" key is named "&").
std::wstring MenuItemText(std::wstring_view text, std::wstring_view shortcut);
