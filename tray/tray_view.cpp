#include "tray/tray_view.h"

#include "app/hotkey_rules.h"
#include "tray/commands.h"

MessageKey TooltipKey(bool hiddenVisible, bool includeSystemFiles) {
    if (!hiddenVisible) return MessageKey::TipHiddenHidden;
    return includeSystemFiles ? MessageKey::TipHiddenSystemVisible : MessageKey::TipHiddenVisible;
}

int StateIconId(bool hiddenVisible) { return hiddenVisible ? kIconHiddenFilesVisible : kIconHiddenFilesHidden; }

std::array<MenuItem, kContextMenuItemCount> ContextMenuItems(bool hiddenVisible, bool includeSystemFiles,
                                                             bool extensionsVisible, bool dotFoldersHidden) {
    const MenuItem separator{kMenuSeparator, 0, MessageKey::Count};
    return {{
        {kMenuString, IDM_TOGGLE_HIDDEN, hiddenVisible ? MessageKey::MenuHideHidden : MessageKey::MenuShowHidden,
         kHotkeyToggleHidden},
        // cppcheck-suppress badBitmaskCheck ; MF_STRING is 0, named for the reader
        {kMenuString | (includeSystemFiles ? kMenuChecked : 0u), IDM_TOGGLE_SYSTEM_FILES,
         MessageKey::MenuIncludeSystem},
        // cppcheck-suppress badBitmaskCheck ; MF_STRING is 0, named for the reader
        {kMenuString | (dotFoldersHidden ? kMenuChecked : 0u), IDM_TOGGLE_DOT_FOLDERS,
         MessageKey::MenuDotFoldersHidden},
        separator,
        {kMenuString, IDM_TOGGLE_EXTENSIONS,
         extensionsVisible ? MessageKey::MenuHideExtensions : MessageKey::MenuShowExtensions, kHotkeyToggleExtensions},
        separator,
        {kMenuString, IDM_SETTINGS, MessageKey::MenuSettings},
        {kMenuString, IDM_SHORTCUTS, MessageKey::MenuShortcuts},
        {kMenuString, IDM_USER_GUIDE, MessageKey::MenuUserGuide},
        separator,
        {kMenuString, IDM_EXIT, MessageKey::MenuExit},
    }};
}

std::array<MenuItem, kUpdateOfferItemCount> UpdateOfferItems() {
    // The update balloon's title names the item, in every language.
    return {
        {{kMenuString, IDM_UPDATE_AVAILABLE, MessageKey::BalloonUpdateTitle}, {kMenuSeparator, 0, MessageKey::Count}}};
}

std::wstring MenuItemText(std::wstring_view text, std::wstring_view shortcut) {
    std::wstring line(text);
    if (shortcut.empty()) return line;
    line += L'\t';
    for (const wchar_t c : shortcut) line.append(c == L'&' ? 2 : 1, c);
    return line;
}
