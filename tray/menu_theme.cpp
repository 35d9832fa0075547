#include "tray/menu_theme.h"

#include <windows.h>

#include "app/platform_calls.h"
#include "app/system_look.h"
#include "explorer/registry.h"

namespace {

// Windows has no documented call for dark menus; uxtheme's SetPreferredAppMode
// is the route other programs take, Microsoft's own among them. Before
// Windows 10 1903 its ordinal named another function, so it is not called there.
constexpr DWORD kFirstBuildWithAppModes = 18362;

// SetPreferredAppMode's values. ForceDark rather than AllowDark: AllowDark
// darkens only the menus of windows that opted in, one by one, and follows
// Windows' own reading of the setting; ForceDark makes the menu follow the
// value read here, exactly. Default gives back the menus every program has.
constexpr int kAppModeDefault = 0;
constexpr int kAppModeForceDark = 2;

// The mode the process's menus have now; every process starts with Default.
int g_menuAppMode = kAppModeDefault;

bool AppsUseDarkMode() {
    DWORD light = 1;  // no value: the light mode Windows starts with
    return ReadRegistryDword(kPersonalizeKeyPath, L"AppsUseLightTheme", light) && light == 0;
}

}  // namespace

void FollowAppModeInMenus() {
    if (g_platform.windowsBuild() < kFirstBuildWithAppModes) return;
    // High contrast's colours win over the app mode: the menu is never dark then.
    const int mode = AppsUseDarkMode() && !HighContrastOn() ? kAppModeForceDark : kAppModeDefault;
    if (mode == g_menuAppMode) return;
    g_platform.setMenuAppMode(mode);
    g_menuAppMode = mode;
}
