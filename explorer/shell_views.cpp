#include "explorer/shell_views.h"

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include "app/handles.h"

bool RefreshIfFolderView(IShellView* view) {
    IFolderView* folder = nullptr;
    if (FAILED(view->QueryInterface(IID_IFolderView, reinterpret_cast<void**>(&folder))) || !folder) return false;
    folder->Release();
    return SUCCEEDED(view->Refresh());
}

namespace {

// The browser that hosts a shell window's item (on Windows 11 one per tab)
// redraws its active view, as F5 would, when that view shows a folder.
void RefreshBrowserOf(IDispatch* item) {
    IServiceProvider* rawProvider = nullptr;
    if (FAILED(item->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&rawProvider))) || !rawProvider)
        return;
    const UniqueCom<IServiceProvider> provider(rawProvider);
    IShellBrowser* rawBrowser = nullptr;
    if (FAILED(
            provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&rawBrowser))) ||
        !rawBrowser)
        return;
    const UniqueCom<IShellBrowser> browser(rawBrowser);
    IShellView* rawView = nullptr;
    if (FAILED(browser->QueryActiveShellView(&rawView)) || !rawView) return;
    const UniqueCom<IShellView> view(rawView);
    RefreshIfFolderView(view.get());
}

VARIANT IntegerVariant(LONG value) {
    VARIANT variant = {};
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

// The folder windows, one item per tab, and the desktop, which the list
// holds apart and finds by its class. False when the list is out of reach
// (Explorer ended since it was had).
bool RefreshAllViews(IShellWindows* windows) {
    LONG count = 0;
    if (FAILED(windows->get_Count(&count))) count = 0;
    for (LONG i = 0; i < count; ++i) {
        IDispatch* item = nullptr;
        if (windows->Item(IntegerVariant(i), &item) != S_OK || !item) continue;
        const UniqueCom<IDispatch> owned(item);
        RefreshBrowserOf(item);
    }
    VARIANT desktop = IntegerVariant(CSIDL_DESKTOP);
    VARIANT noRoot = {};  // VT_EMPTY
    LONG desktopWindow = 0;
    IDispatch* desktopItem = nullptr;
    const HRESULT found =
        windows->FindWindowSW(&desktop, &noRoot, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, &desktopItem);
    // No desktop now (S_FALSE), one still opening (E_PENDING) or one without
    // a dispatch interface (E_NOINTERFACE): the list itself is still there.
    if (found != S_OK || !desktopItem) return found == S_FALSE || found == E_PENDING || found == E_NOINTERFACE;
    const UniqueCom<IDispatch> owned(desktopItem);
    RefreshBrowserOf(desktopItem);
    return true;
}

ShellWindowListMaker g_makeList = nullptr;

UniqueCom<IShellWindows> ShellWindowList() {
    if (g_makeList) return UniqueCom<IShellWindows>(g_makeList());
    IShellWindows* windows = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(&windows))))
        windows = nullptr;
    return UniqueCom<IShellWindows>(windows);
}

// Set for each request; a round serves every request made before it began.
HANDLE g_refreshWanted = nullptr;

// One thread, in one multi-threaded apartment for its whole life, keeping
// Explorer's list between rounds. A pool thread with an apartment of its own
// for each refresh made COM set up and tear down its channels to Explorer
// each time (under Wine the program grew by 2 MB over 1,000 presses; with one
// thread, by 1 MB once, then not at all over 4,000). A list whose Explorer
// has ended is had anew, at once.
DWORD WINAPI RefreshThread(void*) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 0;
    UniqueCom<IShellWindows> windows;
    while (WaitForSingleObject(g_refreshWanted, INFINITE) == WAIT_OBJECT_0) {
        if (windows && RefreshAllViews(windows.get())) continue;
        windows = ShellWindowList();
        if (windows) RefreshAllViews(windows.get());
    }
    return 0;
}

}  // namespace

void RefreshShellViewsNow() {
    const UniqueCom<IShellWindows> windows = ShellWindowList();
    if (windows) RefreshAllViews(windows.get());
}

void SetShellWindowListMaker(ShellWindowListMaker maker) { g_makeList = maker; }

void RefreshShellViewsBeside() {
    if (!g_refreshWanted) {
        const HANDLE wanted = CreateEventW(nullptr, FALSE, FALSE, nullptr);  // auto-reset
        if (!wanted) return;
        g_refreshWanted = wanted;
        const HANDLE thread = CreateThread(nullptr, 0, RefreshThread, nullptr, 0, nullptr);
        if (!thread) {
            g_refreshWanted = nullptr;
            CloseHandle(wanted);
            return;
        }
        CloseHandle(thread);  // it lives as long as the process
    }
    SetEvent(g_refreshWanted);
}
