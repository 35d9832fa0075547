#include "app/app_state.h"

#include "tray/tray_icon.h"

AppState::AppState() = default;
AppState::~AppState() = default;

AppState g_app;

bool TrayIconShown() { return g_app.tray && g_app.tray->created; }
