#include "app/app_state.h"

#include <algorithm>
#include <iterator>

#include "explorer/dot_folders.h"
#include "explorer/explorer_watch.h"
#include "tray/tray_icon.h"

AppState::AppState() = default;
AppState::~AppState() = default;

AppState g_app;

bool TrayIconShown() { return g_app.tray && g_app.tray->created; }

void ClearRunState() {
    g_app.controller.reset();
    g_app.explorerWatch.reset();
    g_app.dotFolders.reset();
    g_app.dotFoldersHidden = false;
    g_app.hiddenVisible = false;
    g_app.includeSystemFiles = false;
    g_app.extensionsVisible = false;
    std::fill(std::begin(g_app.shortcuts), std::end(g_app.shortcuts), Shortcut{});
    g_app.mainWindow = nullptr;
    g_app.instance = nullptr;
    g_app.trayWaitEnds = 0;
    g_app.trayTries = 0;
    g_app.trayWaitIsFirstAdd = false;
}
