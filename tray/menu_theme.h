// The tray menu in the user's app mode: dark while Windows' "Choose your
// default app mode" is Dark, light otherwise. Only the menus change; the
// settings window and message boxes keep their look.
#pragma once

// Where Windows keeps the app mode, under HKEY_CURRENT_USER: "AppsUseLightTheme" 0 means Dark.
inline constexpr wchar_t kPersonalizeKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Gives the process's menus the mode that the app mode and high contrast ask
// for. Called at start and whenever Windows announces a change of either.
void FollowAppModeInMenus();
