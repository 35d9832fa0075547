// The program's one notification-area icon: its picture and tooltip show the
// hidden-files state, it carries the start and update balloons, and it holds
// the handlers of the menu commands and mouse actions.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>

class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Prepares the icon record for the owner window and loads the first icon.
    bool Create(HWND owner);
    // Puts the prepared icon into the notification area.
    bool Add();
    // Puts the icon back with its current picture and tooltip after the
    // shell's notification area was created anew (Explorer restarted).
    bool AddAgain();
    // Shows the state by tooltip and picture.
    void Update(bool hiddenVisible, bool includeSystemFiles);
    // Loads the picture again at the small-icon size of the taskbar's DPI
    // when that size has changed (a new display scale); true when it had.
    bool FollowDisplayScale();
    // Shows a balloon; a click on it opens the download page when opensDownloadPage.
    void ShowBalloon(const wchar_t* title, const wchar_t* text, bool opensDownloadPage);
    // The right-click menu, built afresh from the state and the current language,
    // with the update offer first while there is one.
    void ShowContextMenu(bool hiddenVisible, bool includeSystemFiles, bool extensionsVisible, bool dotFoldersHidden);
    // Takes the icon out of the notification area and frees its handle; harmless when repeated.
    void Remove();

    std::function<void()> onToggleExtensions;
    HWND ownerWindow = nullptr;
    HICON currentIcon = nullptr;
    bool created = false;
    bool updateClickPending = false;
    // Set once a check has found a newer release: the menu offers the
    // download page from then on, until the program ends.
    bool updateOffered = false;
    NOTIFYICONDATAW nid;
    std::function<void()> onToggleHidden;
    std::function<void()> onToggleSystemFiles;
    std::function<void()> onExit;

private:
    // NIM_ADD with these flags, and NIM_MODIFY to tell whether a failed add got the icon in after all.
    bool AddWithFlags(UINT flags);
    // The small-icon size at the DPI that the owner window is drawn at.
    [[nodiscard]] int IconSizeNow() const;
    // Loads this picture at this size and puts it in place of the one held; false when it cannot be loaded.
    bool ReplaceIcon(int resourceId, int size);

    int shownIconId_ = 0;  // the picture held, a resource id
    int iconSize_ = 0;  // its width and height in pixels
};
