// Makes the open folder windows and the desktop redraw with the new view
// settings, the way Windows' own Folder Options does after applying them.
#pragma once

// Explorer's Refresh command (the one F5 gives), as a WM_COMMAND id.
inline constexpr unsigned kExplorerRefreshCommand = 41504;  // 0xA220

// Posts the Refresh command to every top-level window of the classes
// "CabinetWClass" and "ExploreWClass" (folder windows) and "Progman" (the
// desktop). Posted, never sent: a hung Explorer cannot hold the program.
// The command reaches only a window's active tab, and the desktop's view may
// sit under another window, so every tab and the desktop are also refreshed
// through the shell's list of its windows, beside this thread.
void RefreshFolderWindows();
