#include "explorer/folder_windows.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>

#include "app/platform_calls.h"

namespace {

bool IsFolderWindowClass(const wchar_t* name) {
    static constexpr std::array<const wchar_t*, 3> kFolderClasses = {L"CabinetWClass", L"ExploreWClass", L"Progman"};
    return std::ranges::any_of(kFolderClasses,
                               [name](const wchar_t* folderClass) { return std::wcscmp(name, folderClass) == 0; });
}

BOOL CALLBACK PostRefreshToFolderWindow(HWND window, LPARAM) {
    wchar_t name[16] = {};  // longer class names are never one of the three
    if (GetClassNameW(window, name, 16) > 0 && IsFolderWindowClass(name))
        PostMessageW(window, WM_COMMAND, kExplorerRefreshCommand, 0);
    return TRUE;
}

}  // namespace

void RefreshFolderWindows() {
    EnumWindows(PostRefreshToFolderWindow, 0);
    g_platform.refreshShellViews();
}
