// Command ids of the tray menu and the tray icon's identifiers. Portable.
#pragma once

inline constexpr unsigned IDM_EXIT = 1001;
inline constexpr unsigned IDM_TOGGLE_HIDDEN = 1002;
inline constexpr unsigned IDM_TOGGLE_SYSTEM_FILES = 1003;
inline constexpr unsigned IDM_TOGGLE_EXTENSIONS = 1004;
inline constexpr unsigned IDM_SETTINGS = 1005;
inline constexpr unsigned IDM_USER_GUIDE = 1006;
inline constexpr unsigned IDM_SHORTCUTS = 1007;
inline constexpr unsigned IDM_UPDATE_AVAILABLE = 1008;
inline constexpr unsigned IDM_TOGGLE_DOT_FOLDERS = 1009;

// The icon's notifications arrive as this message (WM_USER + 1).
inline constexpr unsigned WM_TRAYICON = 0x0401;
inline constexpr unsigned TRAY_ICON_ID = 1;
