// The tray's right-click menu: built at each opening, destroyed when it closes.
#include <string>

#include "app/handles.h"
#include "app/hotkeys.h"
#include "app/platform_calls.h"
#include "i18n/ui_strings.h"
#include "tray/tray_icon.h"
#include "tray/tray_view.h"

void TrayIcon::ShowContextMenu(bool hiddenVisible, bool includeSystemFiles, bool extensionsVisible,
                               bool dotFoldersHidden) {
    if (!created) return;
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    // A working shortcut follows its item after a tab, as a menu shows accelerators.
    const auto append = [&menu](const MenuItem& item) {
        if (item.flags & kMenuSeparator) {
            AppendMenuW(menu.get(), item.flags, item.id, nullptr);
            return;
        }
        const std::wstring shortcut = item.hotkey ? WorkingShortcutName(item.hotkey) : std::wstring();
        AppendMenuW(menu.get(), item.flags, item.id, MenuItemText(UiText(item.text), shortcut).c_str());
    };
    if (updateOffered)
        for (const MenuItem& item : UpdateOfferItems()) append(item);
    for (const MenuItem& item :
         ContextMenuItems(hiddenVisible, includeSystemFiles, extensionsVisible, dotFoldersHidden))
        append(item);
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The owner must be the foreground window, or the menu would not close
    // when the user clicks elsewhere.
    SetForegroundWindow(ownerWindow);
    // The choice reaches the owner as an ordinary WM_COMMAND.
    // NOLINTNEXTLINE(misc-redundant-expression): TPM_LEFTALIGN and TPM_LEFTBUTTON are 0, named for the reader
    g_platform.trackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0,
                              ownerWindow, nullptr);
    // Without a message after the menu, the next one can flash and vanish
    // when the owner is already the foreground window.
    PostMessageW(ownerWindow, WM_NULL, 0, 0);
}
