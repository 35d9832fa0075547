#include "explorer/folder_windows.h"

#include <windows.h>

#include <cwchar>
#include <initializer_list>

namespace {

bool IsFolderWindowClass(const wchar_t* name) {
    for (const wchar_t* folderClass : {L"CabinetWClass", L"ExploreWClass", L"Progman"})
        if (std::wcscmp(name, folderClass) == 0) return true;
    return false;
}

BOOL CALLBACK PostRefreshToFolderWindow(HWND window, LPARAM) {
    wchar_t name[16] = {};  // longer class names are never one of the three
    if (GetClassNameW(window, name, 16) > 0 && IsFolderWindowClass(name))
        PostMessageW(window, WM_COMMAND, kExplorerRefreshCommand, 0);
    return TRUE;
}

}  // namespace

void RefreshFolderWindows() { EnumWindows(PostRefreshToFolderWindow, 0); }
