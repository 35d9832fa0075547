// The one process-wide state record and the readiness gate.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/handles.h"
#include "app/hotkey_rules.h"

class TrayIcon;
class ExplorerValuesWatch;
class DotFolderKeeper;

// Has no data: its existence gates the toggles and the start-up update check.
class AppController {
public:
    // Starts the download of the version file on a thread of its own; the
    // window hears kUpdateCheckDoneMessage when it ends.
    void CheckForUpdates(HWND window) const;
    // Reads the downloaded version file, offers a newer release on the tray
    // and deletes the file.
    void OfferUpdate(TrayIcon& tray) const;
};

// One of the two global shortcuts: the hotkey control's word it was given (0
// for none) and whether it is registered now; another program may hold it.
struct Shortcut {
    std::uint32_t word = kNoShortcut;
    bool registered = false;
};

struct AppState {
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    HWND mainWindow = nullptr;
    HINSTANCE instance = nullptr;
    bool hiddenVisible = false;
    bool includeSystemFiles = false;
    bool extensionsVisible = false;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<AppController> controller;
    HWND selectorWindow = nullptr;
    HWND shortcutsWindow = nullptr;
    // Indexed by hotkey id - 1.
    Shortcut shortcuts[kShortcutCount];
    // Tells the main window when Explorer's values change; null when it could not be had.
    std::unique_ptr<ExplorerValuesWatch> explorerWatch;
    // While the icon waits for the notification area to take it: when to give
    // up (the seam's tick count), 0 when it does not wait; how many timed
    // tries it has made, which spaces the next; and whether it is the start's
    // first add, whose failure ends the program.
    ULONGLONG trayWaitEnds = 0;
    unsigned trayTries = 0;
    bool trayWaitIsFirstAdd = false;
    // "Treat dot folders as hidden", and the worker that marks and unmarks
    // them; the worker exists once the option was on in this run, or a
    // record of marks was left from an earlier one.
    bool dotFoldersHidden = false;
    std::unique_ptr<DotFolderKeeper> dotFolders;
    // The thread downloading the version file, once started.
    UniqueHandle versionDownload;
};

// Used only on the user-interface thread.
extern AppState g_app;

// Ends the run's state: the controller and the watch go, the three flags are false, no
// shortcut counts as registered, and the window and instance handles are forgotten.
// The tray is released apart.
void ClearRunState();

// Whether the tray icon is in the notification area (a TrayIcon exists and is created).
bool TrayIconShown();
