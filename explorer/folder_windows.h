// Makes the open folder windows and the desktop redraw with the new view
// settings, the way Windows' own Folder Options does after applying them.
#pragma once

// Explorer's Refresh command (the one F5 gives), as a WM_COMMAND id.
inline constexpr unsigned kExplorerRefreshCommand = 41504;  // 0xA220

// Posts the Refresh command to every top-level window of the classes
// "CabinetWClass" and "ExploreWClass" (folder windows) and "Progman" (the
// desktop). Posted, never sent: a hung Explorer cannot hold the program.
void RefreshFolderWindows();
