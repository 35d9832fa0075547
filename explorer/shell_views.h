// Makes every open Explorer window, each of its tabs, and the desktop redraw
// its view, by the shell's documented route: its list of shell windows, and
// each one's active view. The list also holds web browser windows: only
// views that show a folder are refreshed, so no page is reloaded.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <shobjidl.h>

// Hands the refresh to a thread of its own, with its own COM apartment, and
// returns at once: the calls go into Explorer's process and wait for it, so
// a hung Explorer holds only that thread, and nothing waits for it at exit.
// Requests made while one runs are served by one more round. Failures are
// silent. Called on one thread only (the user-interface thread).
void RefreshShellViewsBeside();

// The same refresh on the calling thread, which has COM: for a process that
// ends right after it and so cannot leave the work to a thread beside it.
void RefreshShellViewsNow();

// Where the refresh thread gets the shell's window list: the shell's
// ShellWindows object, unless a stand-in is given before the first request.
using ShellWindowListMaker = IShellWindows* (*)();
void SetShellWindowListMaker(ShellWindowListMaker maker);

// Refreshes a shell window's active view if it is a folder view (it answers
// IFolderView); true when it was refreshed.
bool RefreshIfFolderView(IShellView* view);
