#include "tray/menu_theme.h"

#include <windows.h>

#include "app/platform_calls.h"
#include "explorer/registry.h"

namespace {

// Windows has no documented call for dark menus. From Windows 10 1903 on,
// uxtheme.dll exports SetPreferredAppMode as ordinal 135 and FlushMenuThemes
// as 136; before that build ordinal 135 was another function, so it is never
// called there.
constexpr DWORD kFirstBuildWithAppModes = 18362;
constexpr WORD kSetPreferredAppModeOrdinal = 135;
constexpr WORD kFlushMenuThemesOrdinal = 136;
using SetPreferredAppModeFunction = int(WINAPI*)(int mode);
using FlushMenuThemesFunction = void(WINAPI*)();

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

bool HighContrastOn() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    return g_platform.systemParameters(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

void FollowAppModeInMenus() {
    if (g_platform.windowsBuild() < kFirstBuildWithAppModes) return;
    // High contrast's colours win over the app mode: the menu is never dark then.
    const int mode = AppsUseDarkMode() && !HighContrastOn() ? kAppModeForceDark : kAppModeDefault;
    if (mode == g_menuAppMode) return;
    // Either one alone is of no use; a Windows without them (Wine too) keeps its menus.
    const auto setMode =
        reinterpret_cast<SetPreferredAppModeFunction>(g_platform.themeOrdinal(kSetPreferredAppModeOrdinal));
    const auto flush = reinterpret_cast<FlushMenuThemesFunction>(g_platform.themeOrdinal(kFlushMenuThemesOrdinal));
    if (!setMode || !flush) return;
    setMode(mode);
    // The menu theme is cached per process: without the flush the old colours stay.
    flush();
    g_menuAppMode = mode;
}
